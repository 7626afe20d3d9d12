#include "1-app/display/smooth_scale.h"

#include <cmath>

namespace {

const int fullWeight = 256;

// A colour channel of the target's pixel format.
Uint32 channel(int value, Uint8 loss, Uint8 shift) {
    return (Uint32)(value >> loss) << shift;
}

Uint32 pixelOf(const SDL_PixelFormat *format, int r, int g, int b) {
    return channel(r, format->Rloss, format->Rshift) | channel(g, format->Gloss, format->Gshift) |
           channel(b, format->Bloss, format->Bshift) | format->Amask;
}

void putPixel(Uint8 *row, int x, int bytes, Uint32 value) {
    switch (bytes) {
    case 2:
        ((Uint16 *)row)[x] = (Uint16)value;
        break;
    case 3:
        row[3 * x] = (Uint8)value;
        row[3 * x + 1] = (Uint8)(value >> 8);
        row[3 * x + 2] = (Uint8)(value >> 16);
        break;
    default:
        ((Uint32 *)row)[x] = value;
        break;
    }
}

int blend(int a, int b, int weight) {
    return (a * (fullWeight - weight) + b * weight) / fullWeight;
}

// One picture row from the source rows `upper` and `lower`, the lower weighing
// rowWeight.
void smoothRow(const Uint8 *upper, const Uint8 *lower, int rowWeight, const SDL_Color *palette,
               const SmoothMap &columns, const SDL_PixelFormat *format, Uint8 *out) {
    int bytes = format->BytesPerPixel;
    for (size_t x = 0; x < columns.first.size(); x++) {
        int w = columns.weight[x];
        const SDL_Color &a = palette[upper[columns.first[x]]];
        const SDL_Color &b = palette[upper[columns.second[x]]];
        const SDL_Color &c = palette[lower[columns.first[x]]];
        const SDL_Color &d = palette[lower[columns.second[x]]];
        int r = blend(blend(a.r, b.r, w), blend(c.r, d.r, w), rowWeight);
        int g = blend(blend(a.g, b.g, w), blend(c.g, d.g, w), rowWeight);
        int bl = blend(blend(a.b, b.b, w), blend(c.b, d.b, w), rowWeight);
        putPixel(out, (int)x, bytes, pixelOf(format, r, g, bl));
    }
}

} // namespace

void buildSmoothMap(SmoothMap &map, int sourceSize, int pictureSize) {
    // The whole multiple at or above the picture's size: the smooth step then only
    // shrinks, and blends no more than one pixel where two source pixels meet.
    int whole = (pictureSize + sourceSize - 1) / sourceSize;
    double step = (double)whole * sourceSize / pictureSize;
    map.first.resize(pictureSize);
    map.second.resize(pictureSize);
    map.weight.resize(pictureSize);
    for (int x = 0; x < pictureSize; x++) {
        // The picture pixel's centre in the whole-number enlargement.
        double at = (x + 0.5) * step - 0.5;
        at = at < 0 ? 0 : at;
        int left = (int)std::floor(at);
        int a = left / whole;
        int b = (left + 1) / whole < sourceSize ? (left + 1) / whole : sourceSize - 1;
        map.first[x] = (uint16_t)a;
        map.second[x] = (uint16_t)b;
        map.weight[x] = a == b ? 0 : (uint16_t)std::lround((at - left) * fullWeight);
    }
}

void buildSmoothMaps(SmoothMaps &maps, int sourceWidth, int sourceHeight, int width, int height) {
    buildSmoothMap(maps.columns, sourceWidth, width);
    buildSmoothMap(maps.rows, sourceHeight, height);
}

void smoothSpan(const SmoothMap &map, int first, int last, int *from, int *to) {
    int size = (int)map.first.size();
    *from = size;
    *to = -1;
    for (int y = 0; y < size; y++) {
        if (map.second[y] >= first && map.first[y] <= last) {
            *from = y < *from ? y : *from;
            *to = y;
        }
    }
}

void smoothRows(const SDL_Surface *source, SDL_Surface *target, const PictureLayout &layout,
                const SmoothMaps &maps, int firstRow, int lastRow) {
    int bytes = target->format->BytesPerPixel;
    const SDL_Palette *palette = source->format->palette;
    if (bytes < 2 || bytes > 4 || palette == nullptr || palette->ncolors < 256 ||
        (int)maps.columns.first.size() != layout.width ||
        (int)maps.rows.first.size() != layout.height || layout.left < 0 || layout.top < 0 ||
        layout.left + layout.width > target->w || layout.top + layout.height > target->h) {
        return;
    }
    int top, bottom;
    smoothSpan(maps.rows, firstRow, lastRow, &top, &bottom);
    Uint8 *base = (Uint8 *)target->pixels + layout.top * target->pitch + layout.left * bytes;
    for (int y = top; y <= bottom; y++) {
        const Uint8 *upper = (const Uint8 *)source->pixels + maps.rows.first[y] * source->pitch;
        const Uint8 *lower = (const Uint8 *)source->pixels + maps.rows.second[y] * source->pitch;
        smoothRow(upper, lower, maps.rows.weight[y], palette->colors, maps.columns, target->format,
                  base + y * target->pitch);
    }
}
