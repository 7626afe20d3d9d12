#include "1-app/display/picture_scale.h"

#include <cstring>

namespace {

// Picture columns from..to of one row, from one source row through the column map.
template <typename Pixel>
void expandRow(const Uint8 *source, Uint8 *target, const ScaleMaps &maps,
               const Uint32 colours[256], int from, int to) {
    Pixel *out = (Pixel *)target;
    const uint16_t *columns = maps.columns.data();
    int repeat = maps.repeat;
    if (repeat == 1) {
        for (int x = from; x <= to; x++) {
            out[x] = (Pixel)colours[source[x]];
        }
    } else if (repeat > 1 && from % repeat == 0 && (to + 1) % repeat == 0) {
        // The same map, one colour lookup per source pixel.
        for (int x = from; x <= to; x += repeat) {
            Pixel value = (Pixel)colours[source[columns[x]]];
            for (int k = 0; k < repeat; k++) {
                out[x + k] = value;
            }
        }
    } else {
        for (int x = from; x <= to; x++) {
            out[x] = (Pixel)colours[source[columns[x]]];
        }
    }
}

void expandRow24(const Uint8 *source, Uint8 *target, const ScaleMaps &maps,
                 const Uint32 colours[256], int from, int to) {
    for (int x = from; x <= to; x++) {
        Uint32 value = colours[source[maps.columns[x]]];
        target[3 * x] = (Uint8)value;
        target[3 * x + 1] = (Uint8)(value >> 8);
        target[3 * x + 2] = (Uint8)(value >> 16);
    }
}

// An 8-bit display at scale 1 with the frame's own palette: the row as it is.
void copyRow(const Uint8 *source, Uint8 *target, const ScaleMaps &, const Uint32 *, int from,
             int to) {
    memcpy(target + from, source + from, to - from + 1);
}

bool sameIndices(const ScaleMaps &maps, const Uint32 colours[256], int bytes) {
    if (bytes != 1 || maps.repeat != 1) {
        return false;
    }
    for (int i = 0; i < 256; i++) {
        if (colours[i] != (Uint32)i) {
            return false;
        }
    }
    return true;
}

typedef void (*RowExpander)(const Uint8 *, Uint8 *, const ScaleMaps &, const Uint32 *, int, int);

// By bytes per pixel, 1-4.
const RowExpander expanders[] = {nullptr, expandRow<Uint8>, expandRow<Uint16>, expandRow24,
                                 expandRow<Uint32>};

} // namespace

void buildScaleMaps(ScaleMaps &maps, int sourceWidth, int sourceHeight, int width, int height) {
    maps.columns.resize(width);
    maps.rows.resize(height);
    for (int x = 0; x < width; x++) {
        maps.columns[x] = (uint16_t)((int64_t)x * sourceWidth / width);
    }
    for (int y = 0; y < height; y++) {
        maps.rows[y] = (uint16_t)((int64_t)y * sourceHeight / height);
    }
    maps.repeat = sourceWidth > 0 && width % sourceWidth == 0 ? width / sourceWidth : 0;
}

void mapColours(const SDL_Surface *source, const SDL_Surface *target, Uint32 colours[256]) {
    const SDL_Palette *palette = source->format->palette;
    for (int i = 0; i < 256; i++) {
        if (target->format->BytesPerPixel == 1 || palette == nullptr || i >= palette->ncolors) {
            colours[i] = (Uint32)i;
            continue;
        }
        const SDL_Color &c = palette->colors[i];
        colours[i] = SDL_MapRGB(target->format, c.r, c.g, c.b);
    }
}

void mappedSpan(const std::vector<uint16_t> &map, int first, int last, int *from, int *to) {
    int size = (int)map.size();
    int i = 0;
    while (i < size && map[i] < first) {
        i++;
    }
    *from = i;
    while (i < size && map[i] <= last) {
        i++;
    }
    *to = i - 1;
}

void scaleArea(const SDL_Surface *source, SDL_Surface *target, const PictureLayout &layout,
               const ScaleMaps &maps, const Uint32 colours[256], const FrameArea &area) {
    int bytes = target->format->BytesPerPixel;
    // A layout that does not fit the target or its maps draws nothing.
    if (bytes < 1 || bytes > 4 || (int)maps.columns.size() != layout.width ||
        (int)maps.rows.size() != layout.height || layout.left < 0 || layout.top < 0 ||
        layout.left + layout.width > target->w || layout.top + layout.height > target->h) {
        return;
    }
    RowExpander expand = sameIndices(maps, colours, bytes) ? copyRow : expanders[bytes];
    int top, bottom, from, to;
    mappedSpan(maps.rows, area.top, area.bottom, &top, &bottom);
    mappedSpan(maps.columns, area.left, area.right, &from, &to);
    if (from > to) {
        return;
    }
    Uint8 *base = (Uint8 *)target->pixels + layout.top * target->pitch + layout.left * bytes;
    for (int y = top; y <= bottom; y++) {
        Uint8 *out = base + y * target->pitch;
        // The repeated rows of an enlargement are copies: one expansion per source row.
        if (y > top && maps.rows[y] == maps.rows[y - 1]) {
            memcpy(out + from * bytes, out - target->pitch + from * bytes,
                   (size_t)(to - from + 1) * bytes);
            continue;
        }
        const Uint8 *in = (const Uint8 *)source->pixels + maps.rows[y] * source->pitch;
        expand(in, out, maps, colours, from, to);
    }
}

void scaleRows(const SDL_Surface *source, SDL_Surface *target, const PictureLayout &layout,
               const ScaleMaps &maps, const Uint32 colours[256], int firstRow, int lastRow) {
    scaleArea(source, target, layout, maps, colours, FrameArea{0, firstRow, source->w - 1, lastRow});
}
