#include "3-gfx/screen_pass.h"

#include "3-gfx/character_view.h"
#include "3-gfx/console.h"
#include "3-gfx/map_view.h"
#include "3-gfx/screen.h"
#include "4-data/maps.h"

void drawStatusLines(const StatusShown &status) {
    printAt(statusColumn, positionRow, "X:%d Y:%d  ", status.column, status.row);
    printAt(statusColumn, clockRow, "Time:%d    ", status.clock);
}

void drawScreen(const PlayView &view) {
    if (screen == nullptr) {
        return;
    }
    drawTerrain(view);
    drawCharacters(view);
    drawStatusLines(StatusShown{view.player->column, view.player->row, view.clock});
}
