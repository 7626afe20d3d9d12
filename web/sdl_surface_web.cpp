// SDL 1.2's surface calls as the engine makes them, answered by the game's own
// 8-bit surfaces (surface8.h). Defined here, they take the place of emscripten's
// JavaScript versions at link time.
#include <SDL.h>

#include "surface8.h"

SDL_Surface *SDL_CreateRGBSurface(Uint32, int width, int height, int depth, Uint32, Uint32, Uint32,
                                  Uint32) {
    // Every surface is a software one here; the masks only matter above 8 bits.
    return surface8Create(width, height, depth);
}

void SDL_FreeSurface(SDL_Surface *surface) {
    surface8Free(surface);
}

int SDL_SetColors(SDL_Surface *surface, SDL_Color *colors, int first, int count) {
    return surface8SetColors(surface, colors, first, count);
}

int SDL_SetColorKey(SDL_Surface *surface, Uint32 flag, Uint32 key) {
    return surface8SetColorKey(surface, flag, key);
}

int SDL_UpperBlit(SDL_Surface *source, SDL_Rect *sourceRect, SDL_Surface *target,
                  SDL_Rect *targetRect) {
    return surface8Blit(source, sourceRect, target, targetRect);
}

int SDL_FillRect(SDL_Surface *target, SDL_Rect *rect, Uint32 colour) {
    return surface8Fill(target, rect, colour);
}

Uint32 SDL_MapRGB(const SDL_PixelFormat *const format, const Uint8 r, const Uint8 g,
                  const Uint8 b) {
    return surface8MapRGB(format, r, g, b);
}

void SDL_GetRGB(Uint32 pixel, const SDL_PixelFormat *const format, Uint8 *r, Uint8 *g, Uint8 *b) {
    surface8GetRGB(pixel, format, r, g, b);
}

int SDL_LockSurface(SDL_Surface *surface) {
    return surface8Lock(surface);
}

void SDL_UnlockSurface(SDL_Surface *surface) {
    surface8Unlock(surface);
}
