// A headless 640x400 8-bit screen and a graphics store of made-up surfaces for the
// drawing tests: every tile, sprite and glyph has its own recognisable pixels.
#pragma once

#include <SDL.h>

// Opens the dummy video driver's screen once per process and gives it the test
// palette; fills it with colour 0.
void openTestScreen();

// Fills the graphics store: tile t solid colour t (overlay tiles with their left
// half in the key colour), the scrolling tiles striped by row, sprite n a
// checkerboard of n and 255 - n, glyph k of each set its own two-tone image.
void buildSyntheticStore();
void freeSyntheticStore();

// A new 8-bit surface with the test palette, every pixel colour(x, y).
SDL_Surface *makeSurface(int width, int height, Uint8 (*colour)(int x, int y, int tag), int tag);

// Colour of a stripe-patterned scrolling tile's row y.
Uint8 stripeColour(int x, int y, int tag);

Uint8 screenPixel(int x, int y);
Uint8 surfacePixel(SDL_Surface *surface, int x, int y);
void fillScreen(Uint8 colour);

// The screen's w x h pixels at (x, y) equal the surface's at (sx, sy).
bool regionMatches(int x, int y, SDL_Surface *source, int sx, int sy, int w, int h);
bool regionFilled(int x, int y, int w, int h, Uint8 colour);

// Text cell (column, row) shows the 16x16 glyph exactly.
bool cellShows(SDL_Surface *glyph, int column, int row);
bool cellBlank(int column, int row, Uint8 colour = 0);

// View cell (i, j) shows the 32x32 surface exactly.
bool viewCellShows(SDL_Surface *tile, int i, int j);

// Text cells column.. of row show the glyphs of text (text glyphs, runes from 128).
bool textShown(const char *text, int column, int row);
