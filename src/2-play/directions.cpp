#include "2-play/directions.h"

namespace {

const DirectionStep steps[] = {
    {keyNorth, 0, -1, "North"},
    {keySouth, 0, 1, "South"},
    {keyEast, 1, 0, "East"},
    {keyWest, -1, 0, "West"},
};

} // namespace

const DirectionStep *directionStep(GameKey key) {
    for (const DirectionStep &step : steps) {
        if (step.key == key) {
            return &step;
        }
    }
    return nullptr;
}
