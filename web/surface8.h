// The game's own 8-bit surfaces for the browser build. Emscripten's SDL makes
// every surface a 32-bit canvas without palette or colour key, so the web build
// gives the engine these instead: SDL 1.2's surface record and the subset of its
// surface calls the engine makes, with SDL 1.2's results (zeroed pixels, an
// all-black palette, rows padded to 4 bytes, palette mapping by nearest colour,
// the same clipping). Plain C++ on SDL 1.2's header, so the native unit tests can
// hold every result against SDL's own.
#pragma once

#include <SDL.h>

// A new 8-bit software surface; nullptr for any other depth or a size SDL 1.2
// refuses (negative, 16384 columns or 65536 rows and more).
SDL_Surface *surface8Create(int width, int height, int depth);

// Frees the surface, its pixels, format and palette once its last reference goes.
void surface8Free(SDL_Surface *surface);

// Palette entries first..first+count-1 (cut at the palette's end); 1 when all
// were set, else 0.
int surface8SetColors(SDL_Surface *surface, const SDL_Color *colors, int first, int count);

// SDL_SRCCOLORKEY in flag sets the key, anything else clears it.
int surface8SetColorKey(SDL_Surface *surface, Uint32 flag, Uint32 key);

// SDL_UpperBlit: clips the source rectangle (nullptr: the whole source) to the
// source and the target place to the target's clip rectangle, writes the place
// actually drawn back into target (x, y, w, h), and copies, skipping the colour
// key and mapping colours when the palettes differ. -1 for a locked surface.
int surface8Blit(SDL_Surface *source, SDL_Rect *sourceRect, SDL_Surface *target,
                 SDL_Rect *targetRect);

// SDL_FillRect: the rectangle (nullptr: the clip rectangle) cut to the clip
// rectangle, written back, filled with the colour index.
int surface8Fill(SDL_Surface *target, SDL_Rect *rect, Uint32 colour);

// The palette index nearest to the colour (the first of equals), as SDL_MapRGB.
Uint32 surface8MapRGB(const SDL_PixelFormat *format, Uint8 r, Uint8 g, Uint8 b);

// The colour of a palette index; black for an index past the palette.
void surface8GetRGB(Uint32 pixel, const SDL_PixelFormat *format, Uint8 *r, Uint8 *g, Uint8 *b);

int surface8Lock(SDL_Surface *surface);
void surface8Unlock(SDL_Surface *surface);
