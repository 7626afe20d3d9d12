// The decoders' image surfaces: creation with the colour mode's palette and raw
// pixel access through pixel memory, pitch and bytes per pixel (never locked).
#pragma once

#include <SDL.h>

// Writes value at column x, row y: 1, 2, 3 (low byte first) or 4 bytes, as the
// surface has; other pixel sizes write nothing. No bounds check, no locking:
// callers stay inside the surface.
// Inline: every decoded pixel goes through it.
inline void putPixel(SDL_Surface *surface, int x, int y, Uint32 value) {
    Uint8 *p = (Uint8 *)surface->pixels + y * surface->pitch + x * surface->format->BytesPerPixel;
    switch (surface->format->BytesPerPixel) {
    case 1:
        *p = (Uint8)value;
        break;
    case 2:
        *(Uint16 *)p = (Uint16)value;
        break;
    case 3:
        p[0] = (Uint8)value;
        p[1] = (Uint8)(value >> 8);
        p[2] = (Uint8)(value >> 16);
        break;
    case 4:
        *(Uint32 *)p = value;
        break;
    default:
        break;
    }
}

// Reads the pixel at column x, row y the same way; other pixel sizes read as 0.
Uint32 readPixel(const SDL_Surface *surface, int x, int y);

// The byte at column x, row y of an 8-bit surface's pixel memory, for the writers
// that store single key-colour bytes (cut tiles, masked pictures).
inline Uint8 *pixelByte(SDL_Surface *surface, int x, int y) {
    return (Uint8 *)surface->pixels + y * surface->pitch + x * surface->format->BytesPerPixel;
}

// A new 8-bit surface (SDL_HWSURFACE, no masks) holding the mode's palette, its
// pixels 0; nullptr when SDL cannot make it.
SDL_Surface *createModeSurface(int width, int height);
