#include "gfx/scale.h"

#include <cstring>

#include "gfx/surface_pixels.h"

Enlarger scaler = nullptr;

namespace {

// SDL refuses wider or higher surfaces; checking first also keeps the size
// arithmetic of large factors from overflowing.
const int64_t widestSurface = 16383;
const int64_t highestSurface = 65535;

// A new surface of the given size in the source's pixel format, carrying the
// source's palette. SDL fills its pixels with 0.
SDL_Surface *createLike(const SDL_Surface *source, int64_t width, int64_t height) {
    if (width > widestSurface || height > highestSurface) {
        return nullptr;
    }
    const SDL_PixelFormat *format = source->format;
    SDL_Surface *made = SDL_CreateRGBSurface(SDL_HWSURFACE, (int)width, (int)height,
                                             format->BitsPerPixel, format->Rmask, format->Gmask,
                                             format->Bmask, format->Amask);
    if (made != nullptr && made->format->palette != nullptr && format->palette != nullptr) {
        SDL_SetColors(made, format->palette->colors, 0, format->palette->ncolors);
    }
    return made;
}

int bandHeight(const SDL_Surface *surface, int32_t bands) {
    return bands > 0 ? surface->h / bands : 0;
}

int bandCount(int32_t bands) {
    return bands > 0 ? bands : 0;
}

// The four Scale2x results from the colour keys of E and its neighbours B (above),
// D (left), F (right) and H (below); equal keys mean equal colours. This is the
// rule set E0 = D if D = B, B != F, D != H (and its three mirror images), written
// the way that leaves the common case of B = H or D = F with one test.
inline void scale2x(Uint32 b, Uint32 d, Uint32 e, Uint32 f, Uint32 h, Uint32 out[4]) {
    if (b != h && d != f) {
        out[0] = d == b ? d : e;
        out[1] = b == f ? f : e;
        out[2] = d == h ? d : e;
        out[3] = h == f ? f : e;
    } else {
        out[0] = out[1] = out[2] = out[3] = e;
    }
}

// The colour of a pixel packed as 0xRRGGBB: two pixels are equal exactly when
// their r, g and b are. A palette index beyond the palette reads as black.
Uint32 colourKey(const SDL_Surface *surface, int x, int y) {
    Uint32 pixel = readPixel(surface, x, y);
    const SDL_Palette *palette = surface->format->palette;
    if (palette != nullptr && pixel >= (Uint32)palette->ncolors) {
        return 0;
    }
    Uint8 r, g, b;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    return ((Uint32)r << 16) | ((Uint32)g << 8) | b;
}

void literalRow(const SDL_Surface *source, SDL_Surface *target, int y, int below) {
    int w = source->w;
    int above = y > 0 ? y - 1 : y;
    for (int x = 0; x < w; x++) {
        int left = x > 0 ? x - 1 : x;
        int right = x + 1 < w ? x + 1 : x;
        Uint32 out[4];
        scale2x(colourKey(source, x, above), colourKey(source, left, y), colourKey(source, x, y),
                colourKey(source, right, y), colourKey(source, x, below), out);
        for (int i = 0; i < 4; i++) {
            Uint32 value = SDL_MapRGB(target->format, (Uint8)(out[i] >> 16),
                                      (Uint8)(out[i] >> 8), (Uint8)out[i]);
            putPixel(target, 2 * x + (i & 1), 2 * y + (i >> 1), value);
        }
    }
}

// For the fast path: each palette index's colour class (the lowest index with the
// same colour) and what SDL_MapRGB gives for that colour in the target. Decoded
// surfaces share their palettes, so the last tables are kept and reused.
struct ColourTables {
    SDL_Color source[256];
    SDL_Color target[256];
    int targetCount;
    Uint8 colourClass[256];
    Uint8 mapped[256];
    bool valid;
};

ColourTables tables;

bool samePalettes(const SDL_Palette *source, const SDL_Palette *target) {
    return tables.valid && target->ncolors == tables.targetCount &&
           memcmp(tables.source, source->colors, sizeof tables.source) == 0 &&
           memcmp(tables.target, target->colors, target->ncolors * sizeof(SDL_Color)) == 0;
}

bool sameColour(const SDL_Color &a, const SDL_Color &b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

void prepareTables(const SDL_Surface *source, const SDL_Surface *target) {
    const SDL_Palette *from = source->format->palette;
    const SDL_Palette *to = target->format->palette;
    if (samePalettes(from, to)) {
        return;
    }
    memcpy(tables.source, from->colors, sizeof tables.source);
    memcpy(tables.target, to->colors, to->ncolors * sizeof(SDL_Color));
    tables.targetCount = to->ncolors;
    for (int i = 0; i < 256; i++) {
        int lowest = 0;
        while (!sameColour(from->colors[lowest], from->colors[i])) {
            lowest++;
        }
        tables.colourClass[i] = (Uint8)lowest;
        const SDL_Color &c = from->colors[i];
        tables.mapped[i] = (Uint8)SDL_MapRGB(target->format, c.r, c.g, c.b);
    }
    tables.valid = true;
}

void fastRow(const SDL_Surface *source, SDL_Surface *target, int y, int below) {
    const Uint8 *pixels = (const Uint8 *)source->pixels;
    const Uint8 *rowAbove = pixels + (y > 0 ? y - 1 : y) * source->pitch;
    const Uint8 *row = pixels + y * source->pitch;
    const Uint8 *rowBelow = pixels + below * source->pitch;
    Uint8 *out0 = (Uint8 *)target->pixels + 2 * y * target->pitch;
    Uint8 *out1 = out0 + target->pitch;
    const Uint8 *cls = tables.colourClass;
    const Uint8 *mapped = tables.mapped;
    int w = source->w;
    for (int x = 0; x < w; x++) {
        int left = x > 0 ? x - 1 : x;
        int right = x + 1 < w ? x + 1 : x;
        Uint32 out[4];
        scale2x(cls[rowAbove[x]], cls[row[left]], cls[row[x]], cls[row[right]], cls[rowBelow[x]],
                out);
        out0[2 * x] = mapped[out[0]];
        out0[2 * x + 1] = mapped[out[1]];
        out1[2 * x] = mapped[out[2]];
        out1[2 * x + 1] = mapped[out[3]];
    }
}

typedef void (*RowEnlarger)(const SDL_Surface *source, SDL_Surface *target, int y, int below);

// Runs the row enlarger over every row of every band; rows past the last whole
// band stay 0.
void enlargeBands(const SDL_Surface *source, SDL_Surface *target, int32_t bands,
                  RowEnlarger enlargeRow) {
    int k = bandHeight(source, bands);
    if (k == 0) {
        return;
    }
    for (int band = 0; band < bandCount(bands); band++) {
        int first = band * k;
        int last = first + k - 1;
        for (int y = first; y <= last; y++) {
            enlargeRow(source, target, y, y < last ? y + 1 : y);
        }
    }
}

bool fastPathApplies(const SDL_Surface *source, const SDL_Surface *target) {
    const SDL_PixelFormat *format = source->format;
    return format->BytesPerPixel == 1 && format->palette != nullptr &&
           format->palette->ncolors == 256 && target->format->BytesPerPixel == 1 &&
           target->format->palette != nullptr;
}

} // namespace

SDL_Surface *smoothScaleLiteral(SDL_Surface *surface, int32_t, int32_t bands) {
    SDL_Surface *made = createLike(surface, 2 * (int64_t)surface->w, 2 * (int64_t)surface->h);
    if (made != nullptr) {
        enlargeBands(surface, made, bands, literalRow);
    }
    return made;
}

SDL_Surface *smoothScale(SDL_Surface *surface, int32_t factor, int32_t bands) {
    SDL_Surface *made = createLike(surface, 2 * (int64_t)surface->w, 2 * (int64_t)surface->h);
    if (made == nullptr) {
        return nullptr;
    }
    if (fastPathApplies(surface, made)) {
        prepareTables(surface, made);
        enlargeBands(surface, made, bands, fastRow);
        return made;
    }
    SDL_FreeSurface(made);
    return smoothScaleLiteral(surface, factor, bands);
}

SDL_Surface *replicateScale(SDL_Surface *surface, int32_t factor, int32_t) {
    if (factor < 1) {
        return nullptr;
    }
    SDL_Surface *made = createLike(surface, factor * (int64_t)surface->w,
                                   factor * (int64_t)surface->h);
    if (made == nullptr) {
        return nullptr;
    }
    for (int y = 0; y < surface->h; y++) {
        for (int x = 0; x < surface->w; x++) {
            Uint32 value = readPixel(surface, x, y);
            for (int k = 0; k < factor; k++) {
                for (int n = 0; n < factor; n++) {
                    putPixel(made, factor * x + n, factor * y + k, value);
                }
            }
        }
    }
    return made;
}

SDL_Surface *scaleSurface(SDL_Surface *surface, int32_t factor, int32_t bands,
                          int32_t smoothEven) {
    if (surface == nullptr) {
        return nullptr;
    }
    // A factor below 1 would halve forever (0) or make no sensible size.
    if (factor < 1) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    while (smoothEven != 0 && scaler != nullptr && factor % 2 == 0) {
        SDL_Surface *enlarged = scaler(surface, 2, bands);
        SDL_FreeSurface(surface);
        if (enlarged == nullptr) {
            return nullptr;
        }
        surface = enlarged;
        factor /= 2;
    }
    if (factor == 1) {
        return surface;
    }
    SDL_Surface *enlarged = replicateScale(surface, factor, bands);
    SDL_FreeSurface(surface);
    return enlarged;
}
