// The decoders' image surfaces: creation with the colour mode's palette and raw
// pixel access through pixel memory, pitch and bytes per pixel (never locked).
#pragma once

#include <SDL.h>

// Writes value at column x, row y: 1, 2, 3 (low byte first) or 4 bytes, as the
// surface has; other pixel sizes write nothing. No bounds check, no locking:
// callers stay inside the surface.
void putPixel(SDL_Surface *surface, int x, int y, Uint32 value);

// Reads the pixel at column x, row y the same way; other pixel sizes read as 0.
Uint32 readPixel(const SDL_Surface *surface, int x, int y);

// The byte at column x, row y of an 8-bit surface's pixel memory, for the writers
// that store single key-colour bytes (cut tiles, masked pictures).
Uint8 *pixelByte(SDL_Surface *surface, int x, int y);

// A new 8-bit surface (SDL_HWSURFACE, no masks) holding the mode's palette, its
// pixels 0; nullptr when SDL cannot make it.
SDL_Surface *createModeSurface(int width, int height);
