#include "3-gfx/map_view.h"

#include <cstdint>

#include "3-gfx/blit.h"
#include "3-gfx/screen.h"
#include "4-data/maps.h"

namespace {

void blitPart(SDL_Surface *surface, int sourceY, int height, int x, int y) {
    if (surface == nullptr || screen == nullptr || height <= 0) {
        return;
    }
    SDL_Rect source = {0, (Sint16)sourceY, (Uint16)viewCellSize, (Uint16)height};
    blitIndexed(surface, &source, screen, x, y);
}

} // namespace

int viewCellX(int i) {
    return viewLeft + viewCellSize * i;
}

int viewCellY(int j) {
    return viewTop + viewCellSize * j;
}

void drawScrolled(SDL_Surface *surface, int x, int y, int shift) {
    blitPart(surface, 0, viewCellSize - shift, x, y + shift);
    blitPart(surface, viewCellSize - shift, shift, x, y);
}

void drawTerrainCell(const TileEntry &entry, int i, int j, int animationFrame) {
    int x = viewCellX(i);
    int y = viewCellY(j);
    int shift = 2 * (animationFrame % 16);
    switch (entry.animClass) {
    case scrolling:
        drawScrolled(entry.surface, x, y, shift);
        break;
    case overlay:
        if (graphicsStore.tileTable != nullptr && graphicsStore.tileCount > overlayBaseTile) {
            drawScrolled(graphicsStore.tileTable[overlayBaseTile].surface, x, y, shift);
        }
        blitPart(entry.surface, 0, viewCellSize, x, y);
        break;
    default:
        // Still tiles, and the cycling ones whose cell's shown tile changes instead.
        blitPart(entry.surface, 0, viewCellSize, x, y);
        break;
    }
}

void drawTerrain(const PlayView &view) {
    if (view.map == nullptr || view.map->cells == nullptr || graphicsStore.tileTable == nullptr) {
        return;
    }
    for (int i = 0; i < viewCells; i++) {
        for (int j = 0; j < viewCells; j++) {
            int x = (int16_t)(view.player->column + i - viewReach);
            int y = (int16_t)(view.player->row + j - viewReach);
            const MapCell *cell = cellSeenAt(*view.map, x, y);
            if (cell != nullptr && cell->shownTile < graphicsStore.tileCount) {
                drawTerrainCell(graphicsStore.tileTable[cell->shownTile], i, j,
                                view.animationFrame);
            }
        }
    }
}
