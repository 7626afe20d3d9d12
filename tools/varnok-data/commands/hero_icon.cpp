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
const int iconSizes[] = {16, 32, 48, 64, 128, 192, 256, 512};

// Scale3x: each pixel becomes 3x3, its corners and edges taking a neighbour's
// colour where two neighbours meet along an edge, as Scale2x does at 2x. Pixels
// beyond the border repeat the border.
Canvas scale3x(const Canvas &source) {
    Canvas made = makeCanvas(source.width * 3, source.height * 3, 0);
    auto at = [&](int x, int y) {
        x = x < 0 ? 0 : x >= source.width ? source.width - 1 : x;
        y = y < 0 ? 0 : y >= source.height ? source.height - 1 : y;
        return source.pixels[(size_t)y * source.width + x];
    };
    for (int y = 0; y < source.height; y++) {
        for (int x = 0; x < source.width; x++) {
            uint8_t a = at(x - 1, y - 1), b = at(x, y - 1), c = at(x + 1, y - 1);
            uint8_t d = at(x - 1, y), e = at(x, y), f = at(x + 1, y);
            uint8_t g = at(x - 1, y + 1), h = at(x, y + 1), i = at(x + 1, y + 1);
            bool topLeft = d == b && d != h && b != f, topRight = b == f && b != d && f != h;
            bool bottomLeft = d == h && d != b && h != f, bottomRight = h == f && d != h && b != f;
            uint8_t block[9] = {
                topLeft ? d : e,
                (topLeft && e != c) || (topRight && e != a) ? b : e,
                topRight ? f : e,
                (topLeft && e != g) || (bottomLeft && e != a) ? d : e,
                e,
                (topRight && e != i) || (bottomRight && e != c) ? f : e,
                bottomLeft ? d : e,
                (bottomLeft && e != i) || (bottomRight && e != g) ? h : e,
                bottomRight ? f : e,
            };
            for (int n = 0; n < 9; n++) {
                plot(made, 3 * x + n % 3, 3 * y + n / 3, block[n]);
            }
        }
    }
    return made;
}

// The hero at 16 pixels, or through Scale3x at 48 for a size that 3 divides.
SDL_Surface *heroSurface(int size) {
    int drawn = size % 3 == 0 ? 3 * spriteSize : spriteSize;
    SDL_Surface *surface = SDL_CreateRGBSurface(SDL_SWSURFACE, drawn, drawn, 8, 0, 0, 0, 0);
    if (surface == nullptr) {
        return nullptr;
    }
    SDL_Color colours[17];
    for (int i = 0; i < 16; i++) {
        colours[i] = palette16[i];
    }
    colours[seeThrough] = seeThroughColour;
    SDL_SetColors(surface, colours, 0, 17);
    Canvas hero = paintSprite(heroSprite, seeThrough);
    if (size % 3 == 0) {
        hero = scale3x(hero);
    }
    for (int y = 0; y < hero.height; y++) {
        for (int x = 0; x < hero.width; x++) {
            ((Uint8 *)surface->pixels)[y * surface->pitch + x] = pixelAt(hero, x, y);
        }
    }
    return surface;
}

} // namespace

const char iconSizeList[] = "16, 32, 48, 64, 128, 192, 256 or 512";

bool isIconSize(long size) {
    for (int s : iconSizes) {
        if (size == s) {
            return true;
        }
    }
    return false;
}

bool writeHeroIcon(const char *path, int size, std::string &problem) {
    if (!isIconSize(size)) {
        problem = std::string("the icon size must be ") + iconSizeList;
        return false;
    }
    SDL_Surface *surface = heroSurface(size);
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
