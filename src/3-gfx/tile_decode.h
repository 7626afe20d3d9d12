// The map and sprite tiles as data: unpacking one tile's bytes into a surface,
// each tile number's animation class, and the transparent cuts of the overlay tiles.
#pragma once

#include <SDL.h>
#include <cstdint>

#include "3-gfx/graphics_store.h"
#include "4-data/file_formats.h"

const int tilePixels = 16; // decoded tiles are 16x16

// A new 16x16 surface with the mode's palette from 64 bytes of 2-bit pixels or 128
// bytes of 4-bit pixels (leftmost pixel in the highest bits); nullptr when SDL
// cannot make the surface.
SDL_Surface *decodeTile4(const uint8_t *bytes);
SDL_Surface *decodeTile16(const uint8_t *bytes);

// The animation class of a map tile number (0-255), from the membership lists.
int32_t tileAnimClass(int tile);

enum CutMode {
    cutUpperLeft = 1,  // x + y < W - 1
    cutUpperRight = 2, // x > y
    cutLowerRight = 3, // x + y > W - 1
    cutLowerLeft = 4,  // x < y
    cutByMask = 5,     // where the mask tile is not 0
};

// Paints the pixels the mode selects with the colour index key; the diagonals
// stay. mask is used by cutByMask only; pixels outside it are not selected.
void cutTile(SDL_Surface *surface, SDL_Surface *mask, int mode, Uint8 key);

// Cuts the 24 overlay tiles of an enlarged tile table in the fixed order and gives
// each the colour key key. Missing surfaces are skipped.
void cutOverlayTiles(TileEntry *tiles, Uint8 key);
