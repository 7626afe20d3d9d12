// Fuzzes the enlargers on decoded surfaces of any small size, band count and pixel
// values: the fast path of the smooth enlarger must give exactly the bytes of the
// pixel-by-pixel one. Bytes: mode, width, height, bands, factor, then the pixels.
#include <SDL.h>
#include <cstdlib>
#include <cstring>

#include "3-gfx/scale.h"
#include "3-gfx/surface_pixels.h"
#include "fuzz_support.h"

namespace {

bool samePixels(SDL_Surface *a, SDL_Surface *b) {
    if (a == nullptr || b == nullptr) {
        return a == b;
    }
    if (a->w != b->w || a->h != b->h) {
        return false;
    }
    // An empty surface has no pixel memory at all.
    for (int y = 0; a->w > 0 && y < a->h; y++) {
        const Uint8 *rowA = (const Uint8 *)a->pixels + y * a->pitch;
        const Uint8 *rowB = (const Uint8 *)b->pixels + y * b->pitch;
        if (memcmp(rowA, rowB, a->w) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 5) {
        return 0;
    }
    useColourMode((data[0] & 1) == 0);
    int width = data[1] % 65;
    int height = data[2] % 65;
    int32_t bands = (int8_t)data[3];
    int32_t factor = (int8_t)data[4] % 6;
    SDL_Surface *source = createModeSurface(width, height);
    if (source == nullptr) {
        return 0;
    }
    // Pixel values beyond the palette are kept on purpose.
    size_t at = 5;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            putPixel(source, x, y, at < size ? data[at++] : 0);
        }
    }
    SDL_Surface *fast = smoothScale(source, 2, bands);
    SDL_Surface *literal = smoothScaleLiteral(source, 2, bands);
    if (!samePixels(fast, literal)) {
        abort();
    }
    SDL_FreeSurface(fast);
    SDL_FreeSurface(literal);
    SDL_FreeSurface(scaleSurface(source, factor, bands, data[0] & 2));
    return 0;
}
