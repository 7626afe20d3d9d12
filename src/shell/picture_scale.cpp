#include "shell/picture_scale.h"

#include <cstring>

namespace {

// One picture row from one source row through the column map.
template <typename Pixel>
void expandRow(const Uint8 *source, Uint8 *target, const ScaleMaps &maps,
               const Uint32 colours[256]) {
    Pixel *out = (Pixel *)target;
    int width = (int)maps.columns.size();
    const uint16_t *columns = maps.columns.data();
    if (maps.repeat == 1) {
        for (int x = 0; x < width; x++) {
            out[x] = (Pixel)colours[source[x]];
        }
    } else if (maps.repeat > 1) {
        // The same map, one colour lookup per source pixel.
        for (int x = 0; x < width; x += maps.repeat) {
            Pixel value = (Pixel)colours[source[columns[x]]];
            for (int k = 0; k < maps.repeat; k++) {
                out[x + k] = value;
            }
        }
    } else {
        for (int x = 0; x < width; x++) {
            out[x] = (Pixel)colours[source[columns[x]]];
        }
    }
}

void expandRow24(const Uint8 *source, Uint8 *target, const ScaleMaps &maps,
                 const Uint32 colours[256]) {
    int width = (int)maps.columns.size();
    for (int x = 0; x < width; x++) {
        Uint32 value = colours[source[maps.columns[x]]];
        target[3 * x] = (Uint8)value;
        target[3 * x + 1] = (Uint8)(value >> 8);
        target[3 * x + 2] = (Uint8)(value >> 16);
    }
}

typedef void (*RowExpander)(const Uint8 *, Uint8 *, const ScaleMaps &, const Uint32 *);

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

void pictureRowsOf(const ScaleMaps &maps, int firstRow, int lastRow, int *top, int *bottom) {
    int height = (int)maps.rows.size();
    int y = 0;
    while (y < height && maps.rows[y] < firstRow) {
        y++;
    }
    *top = y;
    while (y < height && maps.rows[y] <= lastRow) {
        y++;
    }
    *bottom = y - 1;
}

void scaleRows(const SDL_Surface *source, SDL_Surface *target, const PictureLayout &layout,
               const ScaleMaps &maps, const Uint32 colours[256], int firstRow, int lastRow) {
    int bytes = target->format->BytesPerPixel;
    // A layout that does not fit the target or its maps draws nothing.
    if (bytes < 1 || bytes > 4 || (int)maps.columns.size() != layout.width ||
        (int)maps.rows.size() != layout.height || layout.left < 0 || layout.top < 0 ||
        layout.left + layout.width > target->w || layout.top + layout.height > target->h) {
        return;
    }
    RowExpander expand = expanders[bytes];
    int top, bottom;
    pictureRowsOf(maps, firstRow, lastRow, &top, &bottom);
    Uint8 *base = (Uint8 *)target->pixels + layout.top * target->pitch + layout.left * bytes;
    for (int y = top; y <= bottom; y++) {
        Uint8 *out = base + y * target->pitch;
        // The repeated rows of an enlargement are copies: one expansion per source row.
        if (y > top && maps.rows[y] == maps.rows[y - 1]) {
            memcpy(out, out - target->pitch, (size_t)layout.width * bytes);
            continue;
        }
        const Uint8 *in = (const Uint8 *)source->pixels + maps.rows[y] * source->pitch;
        expand(in, out, maps, colours);
    }
}
