// The four directions: their keys, their one-cell steps and their words.
// Movement, Look and the direction prompt share this table.
#pragma once

#include "2-play/game_keys.h"

struct DirectionStep {
    GameKey key;
    int columnStep;
    int rowStep;
    const char *word; // "North", "South", "East", "West"
};

// The step of a direction key, or nullptr for any other key.
const DirectionStep *directionStep(GameKey key);
