#include "surface8.h"

#include <cstdlib>
#include <cstring>

namespace {

const int paletteSize = 256;
// SDL 1.2 refuses these sizes: its rectangles and pitch are 16-bit.
const int tooWide = 16384;
const int tooHigh = 65536;

// The colour map of the last blit between two different palettes: the engine
// draws from few palettes, so one remembered pair saves rebuilding it per glyph.
struct ColourMap {
    SDL_Color from[paletteSize];
    int fromCount;
    SDL_Color to[paletteSize];
    int toCount;
    Uint8 table[paletteSize];
    bool valid;
};

ColourMap lastMap;

bool sameColours(const SDL_Color *a, const SDL_Color *b, int count) {
    return memcmp(a, b, (size_t)count * sizeof(SDL_Color)) == 0;
}

// SDL 1.2 blits without mapping when the source palette is the start of the
// target's, byte for byte (the unused byte counts).
bool identicalPalettes(const SDL_Palette *from, const SDL_Palette *to) {
    return from->ncolors <= to->ncolors && sameColours(from->colors, to->colors, from->ncolors);
}

const Uint8 *colourMap(const SDL_Palette *from, const SDL_Palette *to) {
    if (lastMap.valid && lastMap.fromCount == from->ncolors && lastMap.toCount == to->ncolors &&
        sameColours(lastMap.from, from->colors, from->ncolors) &&
        sameColours(lastMap.to, to->colors, to->ncolors)) {
        return lastMap.table;
    }
    lastMap.fromCount = from->ncolors;
    lastMap.toCount = to->ncolors;
    memcpy(lastMap.from, from->colors, (size_t)from->ncolors * sizeof(SDL_Color));
    memcpy(lastMap.to, to->colors, (size_t)to->ncolors * sizeof(SDL_Color));
    SDL_PixelFormat target = {};
    target.palette = const_cast<SDL_Palette *>(to);
    for (int i = 0; i < from->ncolors; i++) {
        const SDL_Color &c = from->colors[i];
        lastMap.table[i] = (Uint8)surface8MapRGB(&target, c.r, c.g, c.b);
    }
    lastMap.valid = true;
    return lastMap.table;
}

Uint8 *pixelRow(const SDL_Surface *surface, int x, int y) {
    return (Uint8 *)surface->pixels + y * surface->pitch + x;
}

// A plain copy of w x h pixels; rows are copied in the order that keeps an
// overlapping copy within one surface intact.
void copyRows(SDL_Surface *source, const SDL_Rect &from, SDL_Surface *target,
              const SDL_Rect &to) {
    bool upwards = source == target && to.y > from.y;
    for (int i = 0; i < from.h; i++) {
        int row = upwards ? from.h - 1 - i : i;
        memmove(pixelRow(target, to.x, to.y + row), pixelRow(source, from.x, from.y + row),
                from.w);
    }
}

// Every other blit, pixel by pixel: through the colour map when there is one,
// skipping the key when the source has one.
void copyPixels(SDL_Surface *source, const SDL_Rect &from, SDL_Surface *target,
                const SDL_Rect &to, const Uint8 *map) {
    bool keyed = (source->flags & SDL_SRCCOLORKEY) != 0;
    Uint8 key = (Uint8)source->format->colorkey;
    for (int row = 0; row < from.h; row++) {
        const Uint8 *in = pixelRow(source, from.x, from.y + row);
        Uint8 *out = pixelRow(target, to.x, to.y + row);
        for (int x = 0; x < from.w; x++) {
            if (!keyed || in[x] != key) {
                out[x] = map != nullptr ? map[in[x]] : in[x];
            }
        }
    }
}

// The place of the copy once both rectangles are clipped; false when nothing is
// left. Follows SDL 1.2: a negative source corner moves the target place.
bool clipBlit(const SDL_Surface *source, const SDL_Rect *sourceRect, const SDL_Surface *target,
              SDL_Rect *place, SDL_Rect &from) {
    int x = 0, y = 0, w = source->w, h = source->h;
    if (sourceRect != nullptr) {
        x = sourceRect->x;
        y = sourceRect->y;
        w = sourceRect->w;
        h = sourceRect->h;
        if (x < 0) {
            w += x;
            place->x = (Sint16)(place->x - x);
            x = 0;
        }
        if (y < 0) {
            h += y;
            place->y = (Sint16)(place->y - y);
            y = 0;
        }
        w = source->w - x < w ? source->w - x : w;
        h = source->h - y < h ? source->h - y : h;
    }
    const SDL_Rect &clip = target->clip_rect;
    int dx = clip.x - place->x;
    if (dx > 0) {
        w -= dx;
        place->x = (Sint16)(place->x + dx);
        x += dx;
    }
    dx = place->x + w - clip.x - clip.w;
    w -= dx > 0 ? dx : 0;
    int dy = clip.y - place->y;
    if (dy > 0) {
        h -= dy;
        place->y = (Sint16)(place->y + dy);
        y += dy;
    }
    dy = place->y + h - clip.y - clip.h;
    h -= dy > 0 ? dy : 0;
    if (w <= 0 || h <= 0) {
        place->w = place->h = 0;
        return false;
    }
    from = {(Sint16)x, (Sint16)y, (Uint16)w, (Uint16)h};
    place->w = (Uint16)w;
    place->h = (Uint16)h;
    return true;
}

} // namespace

SDL_Surface *surface8Create(int width, int height, int depth) {
    if (depth != 8 || width < 0 || height < 0 || width >= tooWide || height >= tooHigh) {
        return nullptr;
    }
    int pitch = (width + 3) & ~3;
    SDL_Surface *surface = (SDL_Surface *)calloc(1, sizeof(SDL_Surface));
    SDL_PixelFormat *format = (SDL_PixelFormat *)calloc(1, sizeof(SDL_PixelFormat));
    SDL_Palette *palette = (SDL_Palette *)calloc(1, sizeof(SDL_Palette));
    SDL_Color *colors = (SDL_Color *)calloc(paletteSize, sizeof(SDL_Color));
    Uint8 *pixels = (Uint8 *)calloc((size_t)pitch * height + 1, 1);
    if (surface == nullptr || format == nullptr || palette == nullptr || colors == nullptr ||
        pixels == nullptr) {
        free(surface);
        free(format);
        free(palette);
        free(colors);
        free(pixels);
        return nullptr;
    }
    palette->ncolors = paletteSize;
    palette->colors = colors;
    format->palette = palette;
    format->BitsPerPixel = 8;
    format->BytesPerPixel = 1;
    format->Rloss = format->Gloss = format->Bloss = format->Aloss = 8;
    format->alpha = SDL_ALPHA_OPAQUE;
    surface->format = format;
    surface->w = width;
    surface->h = height;
    surface->pitch = (Uint16)pitch;
    surface->pixels = pixels;
    surface->clip_rect = {0, 0, (Uint16)width, (Uint16)height};
    surface->refcount = 1;
    return surface;
}

void surface8Free(SDL_Surface *surface) {
    if (surface == nullptr || --surface->refcount > 0) {
        return;
    }
    free(surface->format->palette->colors);
    free(surface->format->palette);
    free(surface->format);
    free(surface->pixels);
    free(surface);
}

int surface8SetColors(SDL_Surface *surface, const SDL_Color *colors, int first, int count) {
    SDL_Palette *palette = surface->format->palette;
    if (first < 0 || first >= palette->ncolors || count < 0) {
        return 0;
    }
    bool all = first + count <= palette->ncolors;
    int set = all ? count : palette->ncolors - first;
    memmove(palette->colors + first, colors, (size_t)set * sizeof(SDL_Color));
    return all ? 1 : 0;
}

int surface8SetColorKey(SDL_Surface *surface, Uint32 flag, Uint32 key) {
    if ((flag & SDL_SRCCOLORKEY) != 0) {
        surface->flags |= SDL_SRCCOLORKEY;
        surface->format->colorkey = key;
    } else {
        surface->flags &= ~(Uint32)SDL_SRCCOLORKEY;
        surface->format->colorkey = 0;
    }
    return 0;
}

int surface8Blit(SDL_Surface *source, SDL_Rect *sourceRect, SDL_Surface *target,
                 SDL_Rect *targetRect) {
    if (source == nullptr || target == nullptr || source->locked != 0 || target->locked != 0) {
        return -1;
    }
    SDL_Rect whole = {0, 0, 0, 0};
    SDL_Rect *place = targetRect != nullptr ? targetRect : &whole;
    SDL_Rect from;
    if (!clipBlit(source, sourceRect, target, place, from)) {
        return 0;
    }
    const SDL_Palette *in = source->format->palette;
    const SDL_Palette *out = target->format->palette;
    const Uint8 *map = identicalPalettes(in, out) ? nullptr : colourMap(in, out);
    if (map == nullptr && (source->flags & SDL_SRCCOLORKEY) == 0) {
        copyRows(source, from, target, *place);
    } else {
        copyPixels(source, from, target, *place, map);
    }
    return 0;
}

int surface8Fill(SDL_Surface *target, SDL_Rect *rect, Uint32 colour) {
    if (target == nullptr) {
        return -1;
    }
    SDL_Rect area = target->clip_rect;
    if (rect != nullptr) {
        // As SDL 1.2's intersection: the rectangle is written back even when empty.
        int left = rect->x > area.x ? rect->x : area.x;
        int top = rect->y > area.y ? rect->y : area.y;
        int right = rect->x + rect->w < area.x + area.w ? rect->x + rect->w : area.x + area.w;
        int bottom = rect->y + rect->h < area.y + area.h ? rect->y + rect->h : area.y + area.h;
        area = {(Sint16)left, (Sint16)top, (Uint16)(right > left ? right - left : 0),
                (Uint16)(bottom > top ? bottom - top : 0)};
        *rect = area;
    }
    for (int y = 0; y < area.h && area.w > 0; y++) {
        memset(pixelRow(target, area.x, area.y + y), (Uint8)colour, area.w);
    }
    return 0;
}

Uint32 surface8MapRGB(const SDL_PixelFormat *format, Uint8 r, Uint8 g, Uint8 b) {
    const SDL_Palette *palette = format->palette;
    Uint32 nearest = 0;
    unsigned smallest = ~0u;
    for (int i = 0; i < palette->ncolors; i++) {
        int dr = palette->colors[i].r - r;
        int dg = palette->colors[i].g - g;
        int db = palette->colors[i].b - b;
        unsigned distance = (unsigned)(dr * dr + dg * dg + db * db);
        if (distance < smallest) {
            nearest = (Uint32)i;
            if (distance == 0) {
                break;
            }
            smallest = distance;
        }
    }
    return nearest;
}

void surface8GetRGB(Uint32 pixel, const SDL_PixelFormat *format, Uint8 *r, Uint8 *g, Uint8 *b) {
    const SDL_Palette *palette = format->palette;
    bool inside = palette != nullptr && pixel < (Uint32)palette->ncolors;
    *r = inside ? palette->colors[pixel].r : 0;
    *g = inside ? palette->colors[pixel].g : 0;
    *b = inside ? palette->colors[pixel].b : 0;
}

int surface8Lock(SDL_Surface *surface) {
    surface->locked++;
    return 0;
}

void surface8Unlock(SDL_Surface *surface) {
    if (surface->locked > 0) {
        surface->locked--;
    }
}
