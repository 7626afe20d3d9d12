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

bool characterVisible(int slot) {
    if (currentCharacterRecord == nullptr || slot < 1 || slot >= npcSlotCount) {
        return false;
    }
    const NpcSlot &npc = npcSlots[slot];
    return npc.floor == PlayerState.floor && withinReach(npc.column, PlayerState.column) &&
           withinReach(npc.row, PlayerState.row) && npc.type != 0;
}

void drawSprite(uint8_t column, uint8_t row, uint8_t n) {
    uint8_t i = PlayerState.viewCentreColumn - PlayerState.column + column;
    uint8_t j = PlayerState.viewCentreRow - PlayerState.row + row;
    // Outside the view the sprite would cover the frame or the panel.
    if (i >= viewCells || j >= viewCells || screen == nullptr) {
        return;
    }
    if (spriteTiles == nullptr || n >= spriteTileCount || spriteTiles[n] == nullptr) {
        return;
    }
    SDL_Rect source = {0, 0, (Uint16)viewCellSize, (Uint16)viewCellSize};
    blitIndexed(spriteTiles[n], &source, screen, viewCellX(i), viewCellY(j));
}

void drawCharacters() {
    // Slot 0 is filled like the others but never drawn.
    for (int slot = 1; slot < npcSlotCount; slot++) {
        if (characterVisible(slot)) {
            drawSprite(npcSlots[slot].column, npcSlots[slot].row, npcSlots[slot].type);
        }
    }
    drawSprite(PlayerState.column, PlayerState.row, PlayerState.playerTile);
}
