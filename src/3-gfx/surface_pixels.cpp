#include "3-gfx/surface_pixels.h"

#include "3-gfx/palette.h"

namespace {

Uint8 *pixelAddress(const SDL_Surface *surface, int x, int y) {
    return (Uint8 *)surface->pixels + y * surface->pitch + x * surface->format->BytesPerPixel;
}

} // namespace

Uint32 readPixel(const SDL_Surface *surface, int x, int y) {
    const Uint8 *p = pixelAddress(surface, x, y);
    switch (surface->format->BytesPerPixel) {
    case 1:
        return *p;
    case 2:
        return *(const Uint16 *)p;
    case 3:
        return p[0] | (p[1] << 8) | (p[2] << 16);
    case 4:
        return *(const Uint32 *)p;
    default:
        return 0;
    }
}

SDL_Surface *createModeSurface(int width, int height) {
    SDL_Surface *surface = SDL_CreateRGBSurface(SDL_HWSURFACE, width, height, 8, 0, 0, 0, 0);
    if (surface != nullptr) {
        setModePalette(surface);
    }
    return surface;
}
