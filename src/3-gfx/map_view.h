// The 11x11 map view around the player: its geometry and the terrain drawing,
// including the scrolling and overlay tiles that the animation frame moves.
#pragma once

#include "3-gfx/graphics_store.h"
#include "3-gfx/play_view.h"

const int viewLeft = 16; // pixel of the view's top-left corner
const int viewTop = 16;
const int viewCellSize = 32; // a view cell shows one 32x32 tile
const int viewCells = 11;    // view cells per row and per column
const int viewReach = 5;     // cells between the player and the view's edge

// The tile drawn flowing beneath every overlay tile.
const int overlayBaseTile = 3;

// Top-left pixel of view cell i (column) or j (row).
int viewCellX(int i);
int viewCellY(int j);

// Draws the 121 view cells of terrain around the player from the view's map.
void drawTerrain(const PlayView &view);

// Draws one tile into view cell (i, j) as its animation class asks, at the scroll
// phase animationFrame (0-15).
void drawTerrainCell(const TileEntry &entry, int i, int j, int animationFrame);

// Copies a 32x32 surface to the pixel (x, y) moved down by `shift` pixels, the
// rows pushed past the bottom wrapped round to the top.
void drawScrolled(SDL_Surface *surface, int x, int y, int shift);
