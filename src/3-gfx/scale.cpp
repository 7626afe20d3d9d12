#include "3-gfx/scale.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <vector>

#include "3-gfx/surface_pixels.h"

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
    SDL_Surface *made =
        SDL_CreateRGBSurface(SDL_HWSURFACE, (int)width, (int)height, format->BitsPerPixel,
                             format->Rmask, format->Gmask, format->Bmask, format->Amask);
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
            Uint32 value = SDL_MapRGB(target->format, (Uint8)(out[i] >> 16), (Uint8)(out[i] >> 8),
                                      (Uint8)out[i]);
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
    bool mapsToItself; // every class maps to its own index, as with a copied palette
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
    tables.mapsToItself = true;
    for (int i = 0; i < 256; i++) {
        Uint8 c = tables.colourClass[i];
        tables.mapsToItself = tables.mapsToItself && tables.mapped[c] == c;
    }
    tables.valid = true;
}

// The source as colour classes, each row with its first and last pixel repeated at
// either end so that the left and right neighbours need no clamping. Made once per
// enlargement; the buffer is kept for the next.
std::vector<Uint8> classImage;

void makeClassImage(const SDL_Surface *source) {
    int w = source->w;
    classImage.resize((size_t)(w + 2) * source->h);
    for (int y = 0; y < source->h; y++) {
        const Uint8 *row = (const Uint8 *)source->pixels + y * source->pitch;
        Uint8 *out = classImage.data() + (size_t)y * (w + 2);
        for (int x = 0; x < w; x++) {
            out[x + 1] = tables.colourClass[row[x]];
        }
        out[0] = out[1];
        out[w + 1] = out[w];
    }
}

const Uint8 *classRow(const SDL_Surface *source, int y) {
    return classImage.data() + (size_t)y * (source->w + 2);
}

#if defined(__SSE2__)
// The Scale2x rules on 16 pixels at once, for class maps that need no lookup:
// each rule is a byte compare and a blend. Returns how many pixels it did.
int wideRow(const Uint8 *up, const Uint8 *mid, const Uint8 *down, Uint8 *out0, Uint8 *out1, int w) {
    const __m128i ones = _mm_set1_epi8(-1);
    int x = 0;
    for (; x + 16 <= w; x += 16) {
        __m128i b = _mm_loadu_si128((const __m128i *)(up + x));
        __m128i d = _mm_loadu_si128((const __m128i *)(mid + x));
        __m128i e = _mm_loadu_si128((const __m128i *)(mid + x + 1));
        __m128i f = _mm_loadu_si128((const __m128i *)(mid + x + 2));
        __m128i h = _mm_loadu_si128((const __m128i *)(down + x));
        __m128i flat = _mm_or_si128(_mm_cmpeq_epi8(b, h), _mm_cmpeq_epi8(d, f));
        __m128i edge = _mm_andnot_si128(flat, ones);
        __m128i c0 = _mm_and_si128(edge, _mm_cmpeq_epi8(d, b));
        __m128i c1 = _mm_and_si128(edge, _mm_cmpeq_epi8(b, f));
        __m128i c2 = _mm_and_si128(edge, _mm_cmpeq_epi8(d, h));
        __m128i c3 = _mm_and_si128(edge, _mm_cmpeq_epi8(h, f));
        __m128i e0 = _mm_or_si128(_mm_and_si128(c0, d), _mm_andnot_si128(c0, e));
        __m128i e1 = _mm_or_si128(_mm_and_si128(c1, f), _mm_andnot_si128(c1, e));
        __m128i e2 = _mm_or_si128(_mm_and_si128(c2, d), _mm_andnot_si128(c2, e));
        __m128i e3 = _mm_or_si128(_mm_and_si128(c3, f), _mm_andnot_si128(c3, e));
        _mm_storeu_si128((__m128i *)(out0 + 2 * x), _mm_unpacklo_epi8(e0, e1));
        _mm_storeu_si128((__m128i *)(out0 + 2 * x + 16), _mm_unpackhi_epi8(e0, e1));
        _mm_storeu_si128((__m128i *)(out1 + 2 * x), _mm_unpacklo_epi8(e2, e3));
        _mm_storeu_si128((__m128i *)(out1 + 2 * x + 16), _mm_unpackhi_epi8(e2, e3));
    }
    return x;
}
#else
int wideRow(const Uint8 *, const Uint8 *, const Uint8 *, Uint8 *, Uint8 *, int) {
    return 0;
}
#endif

// x when the mask is all ones, y when it is 0.
inline unsigned pick(unsigned mask, unsigned x, unsigned y) {
    return (x & mask) | (y & ~mask);
}

void fastRow(const SDL_Surface *source, SDL_Surface *target, int y, int below) {
    const Uint8 *up = classRow(source, y > 0 ? y - 1 : y) + 1;
    const Uint8 *mid = classRow(source, y);
    const Uint8 *down = classRow(source, below) + 1;
    Uint8 *out0 = (Uint8 *)target->pixels + 2 * y * target->pitch;
    Uint8 *out1 = out0 + target->pitch;
    const Uint8 *mapped = tables.mapped;
    int w = source->w;
    int x = tables.mapsToItself ? wideRow(up, mid, down, out0, out1, w) : 0;
    for (; x < w; x++) {
        unsigned b = up[x];
        unsigned d = mid[x];
        unsigned e = mid[x + 1];
        unsigned f = mid[x + 2];
        unsigned h = down[x];
        // Masks rather than branches: noisy pictures would defeat prediction.
        unsigned edge = -(unsigned)((b != h) & (d != f));
        Uint16 top = (Uint16)(mapped[pick(edge & -(unsigned)(d == b), d, e)] |
                              mapped[pick(edge & -(unsigned)(b == f), f, e)] << 8);
        Uint16 bottom = (Uint16)(mapped[pick(edge & -(unsigned)(d == h), d, e)] |
                                 mapped[pick(edge & -(unsigned)(h == f), f, e)] << 8);
        // Each output pair as one store (byte order as in memory: left pixel first).
        memcpy(out0 + 2 * x, &top, 2);
        memcpy(out1 + 2 * x, &bottom, 2);
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
        makeClassImage(surface);
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
    SDL_Surface *made =
        createLike(surface, factor * (int64_t)surface->w, factor * (int64_t)surface->h);
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

SDL_Surface *scaleSurface(SDL_Surface *surface, int32_t factor, int32_t bands, int32_t smoothEven) {
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

SDL_Surface *enlargeDecoded(SDL_Surface *decoded) {
    return scaleSurface(decoded, 2, 1, 1);
}
