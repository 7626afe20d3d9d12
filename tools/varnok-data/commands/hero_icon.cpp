#include "hero_icon.h"

#include <SDL.h>

#include "3-gfx/palette.h"
#include "3-gfx/png_file.h"
#include "3-gfx/scale.h"
#include "demo/sprite_art.h"
#include "demo/tile_numbers.h"

namespace {

// The palette entry after the 16 colours stands for "no pixel". Its colour is
// one the 16 do not have, so the enlarger keeps it apart from black.
const uint8_t seeThrough = 16;
const SDL_Color seeThroughColour = {1, 254, 3, 0};
const int spriteSize = 16;

SDL_Surface *heroSurface() {
    SDL_Surface *surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, spriteSize, spriteSize, 8, 0, 0, 0, 0);
    if (surface == nullptr) {
        return nullptr;
    }
    initPalette16();
    SDL_Color colours[17];
    for (int i = 0; i < 16; i++) {
        colours[i] = palette16[i];
    }
    colours[seeThrough] = seeThroughColour;
    SDL_SetColors(surface, colours, 0, 17);
    Canvas hero = paintSprite(heroSprite, seeThrough);
    for (int y = 0; y < spriteSize; y++) {
        for (int x = 0; x < spriteSize; x++) {
            ((Uint8 *)surface->pixels)[y * surface->pitch + x] = pixelAt(hero, x, y);
        }
    }
    return surface;
}

} // namespace

bool isIconSize(long size) {
    for (long s = spriteSize; s <= 256; s *= 2) {
        if (size == s) {
            return true;
        }
    }
    return false;
}

bool writeHeroIcon(const char *path, int size, std::string &problem) {
    if (!isIconSize(size)) {
        problem = "the icon size must be 16, 32, 64, 128 or 256";
        return false;
    }
    SDL_Surface *surface = heroSurface();
    while (surface != nullptr && surface->w < size) {
        SDL_Surface *larger = smoothScale(surface, 2, 1);
        SDL_FreeSurface(surface);
        surface = larger;
    }
    if (surface == nullptr) {
        problem = std::string("cannot draw the icon: ") + SDL_GetError();
        return false;
    }
    IndexedImage image = imageFromSurface(surface);
    SDL_FreeSurface(surface);
    image.palette.resize(seeThrough + 1);
    image.transparent.assign(image.palette.size(), false);
    image.transparent[seeThrough] = true;
    std::string error;
    if (!writeIndexedPng(path, image, &error)) {
        problem = "cannot write '" + std::string(path) + "': " + error;
        return false;
    }
    return true;
}
