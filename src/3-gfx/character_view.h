// The settlement characters and the player's sprite drawn over the map view.
// Reads the view's character slots and player record; changes neither.
#pragma once

#include <cstdint>

#include "3-gfx/play_view.h"

// Draws every character on the player's floor within 5 columns and rows of the
// player (slots 1-31, later slots over earlier ones), then the player on top.
void drawCharacters(const PlayView &view);

// Copies sprite n to the view cell that shows map position (column, row); a
// position whose view cell falls outside the 11x11 view is not drawn.
void drawSprite(const PlayView &view, uint8_t column, uint8_t row, uint8_t n);

// True when the slot's character is drawn in the current view.
bool characterVisible(const PlayView &view, int slot);
