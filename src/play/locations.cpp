#include "play/locations.h"

#include "data/maps.h"

void setStartPosition() {
    PlayerState.column = 86;
    PlayerState.row = 109;
    PlayerState.viewCentreColumn = 5;
    PlayerState.viewCentreRow = 5;
    PlayerState.playerTile = 28;
}
