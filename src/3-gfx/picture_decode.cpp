#include "3-gfx/picture_decode.h"

#include <vector>

#include "3-gfx/packed_rows.h"
#include "3-gfx/surface_pixels.h"

namespace {

// The bytes one row of width pixels at `bits` bits a pixel takes, padding aside.
int64_t rowDataBytes(int width, int bits) {
    return ((int64_t)width * bits + 7) / 8;
}

// Unpacks the rows of a surface's size that start at offset, each rowBytes long
// (padding included) and `bits` bits a pixel, straight into the 8-bit surface's
// rows. A row wholly inside the data is read in place, others byte by byte.
void unpackRows(ByteView &view, int64_t offset, int64_t rowBytes, int bits, SDL_Surface *surface) {
    int64_t dataBytes = rowDataBytes(surface->w, bits);
    if (dataBytes == 0) {
        return; // nothing to read, nowhere to write
    }
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
        unpackRow(row, surface->w, bits, pixelByte(surface, 0, y));
        offset += rowBytes;
    }
}

// Notes in view, as unpackRows would, whether rows laid out so reach past the end.
void noteRows(ByteView &view, int width, int height, int64_t offset, int64_t rowBytes, int bits) {
    int64_t dataBytes = rowDataBytes(width, bits);
    if (height <= 0 || dataBytes <= 0) {
        return;
    }
    // Rows only move forward, so the last one reaches furthest.
    int64_t last = offset + rowBytes * (height - 1);
    if (offset < 0 || last + dataBytes > view.size) {
        view.overrun = true;
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

void noteRecordReads(ByteView &view, const PictureRecord &r) {
    noteRows(view, r.width, r.height, r.pixels, r.rowBytes, r.bits);
    if (r.masked) {
        noteRows(view, r.maskWidth, r.maskHeight, r.maskPixels, r.maskRowBytes, 1);
    }
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
            const Uint8 *covered = pixelByte(mask, 0, y);
            Uint8 *row = pixelByte(picture, 0, y);
            for (int x = 0; x < width; x++) {
                row[x] = covered[x] != 0 ? key : row[x];
            }
        }
        SDL_SetColorKey(picture, SDL_SRCCOLORKEY, key);
    }
}
