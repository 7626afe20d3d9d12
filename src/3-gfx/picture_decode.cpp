#include "3-gfx/picture_decode.h"

#include <vector>

#include "3-gfx/surface_pixels.h"

namespace {

// Unpacks the rows of a surface's size that start at offset, each rowBytes long
// (padding included) and `bits` bits a pixel. A row wholly inside the data is read
// in place, others byte by byte.
void unpackRows(ByteView &view, int64_t offset, int64_t rowBytes, int bits, SDL_Surface *surface) {
    unsigned valueMask = (1u << bits) - 1;
    int64_t dataBytes = ((int64_t)surface->w * bits + 7) / 8;
    std::vector<uint8_t> copy;
    for (int y = 0; y < surface->h; y++) {
        const uint8_t *row;
        if (offset >= 0 && offset + dataBytes <= view.size) {
            row = view.data + offset;
        } else {
            copy.resize(dataBytes);
            viewCopy(view, offset, copy.data(), dataBytes);
            row = copy.data();
        }
        int x = 0;
        for (int64_t k = 0; k < dataBytes; k++) {
            for (int shift = 8 - bits; shift >= 0 && x < surface->w; shift -= bits) {
                putPixel(surface, x++, y, (row[k] >> shift) & valueMask);
            }
        }
        offset += rowBytes;
    }
}

SDL_Surface *decodeRows(ByteView &view, int width, int height, int64_t offset, int64_t rowBytes,
                        int bits) {
    SDL_Surface *surface = createModeSurface(width, height);
    if (surface != nullptr) {
        unpackRows(view, offset, rowBytes, bits, surface);
    }
    return surface;
}

} // namespace

SDL_Surface *decodePicture(ByteView &view, const PictureRecord &r) {
    return decodeRows(view, r.width, r.height, r.pixels, r.rowBytes, r.bits);
}

SDL_Surface *decodeMask(ByteView &view, const PictureRecord &r) {
    // A mask is a one-bit picture whose set bits read as colour 1.
    return decodeRows(view, r.maskWidth, r.maskHeight, r.maskPixels, r.maskRowBytes, 1);
}

void applyPictureMasks(SDL_Surface **pictures, SDL_Surface **masks, int count, Uint8 key) {
    for (int i = 0; i < count; i++) {
        SDL_Surface *picture = pictures[i];
        SDL_Surface *mask = masks[i];
        if (picture == nullptr) {
            continue;
        }
        // A mask of another size than its picture only covers what both share.
        int width = mask != nullptr && mask->w < picture->w ? mask->w : picture->w;
        int height = mask != nullptr && mask->h < picture->h ? mask->h : picture->h;
        for (int y = 0; mask != nullptr && y < height; y++) {
            for (int x = 0; x < width; x++) {
                if (*pixelByte(mask, x, y) != 0) {
                    *pixelByte(picture, x, y) = key;
                }
            }
        }
        SDL_SetColorKey(picture, SDL_SRCCOLORKEY, key);
    }
}
