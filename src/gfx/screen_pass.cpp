#include "gfx/screen_pass.h"

#include "data/maps.h"
#include "gfx/character_view.h"
#include "gfx/console.h"
#include "gfx/map_view.h"
#include "shell/video.h"

void drawStatusLines(const StatusShown &status) {
    printAt(statusColumn, positionRow, "X:%d Y:%d  ", status.column, status.row);
    printAt(statusColumn, clockRow, "Time:%d    ", status.clock);
}

void drawScreen(const StatusShown &status) {
    if (screen == nullptr) {
        return;
    }
    drawTerrain();
    drawCharacters();
    updateWholeScreen();
    drawStatusLines(status);
}
