#include "gfx/surface_pixels.h"

#include "gfx/palette.h"

namespace {

Uint8 *pixelAddress(const SDL_Surface *surface, int x, int y) {
    return (Uint8 *)surface->pixels + y * surface->pitch + x * surface->format->BytesPerPixel;
}

} // namespace

void putPixel(SDL_Surface *surface, int x, int y, Uint32 value) {
    Uint8 *p = pixelAddress(surface, x, y);
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

Uint8 *pixelByte(SDL_Surface *surface, int x, int y) {
    return pixelAddress(surface, x, y);
}

SDL_Surface *createModeSurface(int width, int height) {
    SDL_Surface *surface = SDL_CreateRGBSurface(SDL_HWSURFACE, width, height, 8, 0, 0, 0, 0);
    if (surface != nullptr) {
        setModePalette(surface);
    }
    return surface;
}
