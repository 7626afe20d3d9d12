#include "2-play/animation.h"

#include "2-play/game.h"

#include "3-gfx/console.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/map_view.h"
#include "4-data/maps.h"

namespace {

const int frameCount = 16;
const int tileNumberCount = 256;

// Step of the shown tile, indexed by TileAnimClass.
const uint8_t classSteps[] = {
    0,           // still
    0,           // scrolling: the map view moves it
    0,           // overlay: the map view draws it over a scrolling tile
    1,           // cycleNext
    (uint8_t)-3, // cycleBack3
    (uint8_t)-1, // cycleBack1
};
const int classCount = sizeof classSteps / sizeof classSteps[0];

// The step of every tile number, from the tile table; 0 for a tile that is not loaded.
void fillTileSteps(uint8_t steps[tileNumberCount]) {
    for (int t = 0; t < tileNumberCount; t++) {
        steps[t] = 0;
        if (graphicsStore.tileTable != nullptr && (uint32_t)t < graphicsStore.tileCount) {
            int32_t animClass = graphicsStore.tileTable[t].animClass;
            if (animClass >= 0 && animClass < classCount) {
                steps[t] = classSteps[animClass];
            }
        }
    }
}

} // namespace

void cycleAnimatedTiles(CurrentMapRecord &map) {
    if (map.cells == nullptr) {
        return;
    }
    // One lookup per cell: the class table is turned into a step per tile first.
    uint8_t steps[tileNumberCount];
    fillTileSteps(steps);
    int count = map.width * map.height;
    MapCell *cells = map.cells;
    for (int i = 0; i < count; i++) {
        cells[i].shownTile = (uint8_t)(cells[i].shownTile + steps[cells[i].shownTile]);
    }
}

void animationTick(intptr_t argument) {
    Game &game = *reinterpret_cast<Game *>(argument);
    game.animationFrame = (game.animationFrame + 1) % frameCount;
    cycleAnimatedTiles(game.currentMap);
    drawCursor();
}
