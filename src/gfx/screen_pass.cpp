#include "gfx/screen_pass.h"

#include "data/maps.h"
#include "gfx/character_view.h"
#include "gfx/console.h"
#include "gfx/map_view.h"
#include "play/clock.h"
#include "shell/video.h"

void drawStatusLines() {
    printAt(statusColumn, positionRow, "X:%d Y:%d  ", PlayerState.column, PlayerState.row);
    printAt(statusColumn, clockRow, "Time:%d    ", GameClock);
}

void drawScreen() {
    if (screen == nullptr) {
        return;
    }
    drawTerrain();
    drawCharacters();
    updateWholeScreen();
    drawStatusLines();
}
