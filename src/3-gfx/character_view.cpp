#include "3-gfx/character_view.h"

#include "3-gfx/blit.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/map_view.h"
#include "3-gfx/screen.h"
#include "4-data/characters.h"
#include "4-data/maps.h"

namespace {

// Within reach as plain integers: the settlement maps do not wrap.
bool withinReach(int position, int centre) {
    return position >= centre - viewReach && position <= centre + viewReach;
}

} // namespace

bool characterVisible(const PlayView &view, int slot) {
    if (view.people == nullptr || slot < 1 || slot >= npcSlotCount) {
        return false;
    }
    const NpcSlot &npc = view.people[slot];
    const PlayerStateRecord &player = *view.player;
    return npc.floor == player.floor && withinReach(npc.column, player.column) &&
           withinReach(npc.row, player.row) && npc.type != 0;
}

void drawSprite(const PlayView &view, uint8_t column, uint8_t row, uint8_t n) {
    const PlayerStateRecord &player = *view.player;
    uint8_t i = player.viewCentreColumn - player.column + column;
    uint8_t j = player.viewCentreRow - player.row + row;
    // Outside the view the sprite would cover the frame or the panel.
    if (i >= viewCells || j >= viewCells || screen == nullptr) {
        return;
    }
    if (graphicsStore.spriteTiles == nullptr || n >= graphicsStore.spriteTileCount ||
        graphicsStore.spriteTiles[n] == nullptr) {
        return;
    }
    SDL_Rect source = {0, 0, (Uint16)viewCellSize, (Uint16)viewCellSize};
    blitIndexed(graphicsStore.spriteTiles[n], &source, screen, viewCellX(i), viewCellY(j));
}

void drawCharacters(const PlayView &view) {
    // Slot 0 is filled like the others but never drawn.
    for (int slot = 1; slot < npcSlotCount; slot++) {
        if (characterVisible(view, slot)) {
            const NpcSlot &npc = view.people[slot];
            drawSprite(view, npc.column, npc.row, npc.type);
        }
    }
    const PlayerStateRecord &player = *view.player;
    drawSprite(view, player.column, player.row, player.playerTile);
}
