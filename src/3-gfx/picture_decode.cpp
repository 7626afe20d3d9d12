#include "3-gfx/picture_decode.h"

#include <vector>

#include "3-gfx/surface_pixels.h"

namespace {

// Unpacks height rows of packed pixels starting at offset; returns the offset after
// the last row. A row wholly inside the data is read in place, others byte by byte.
int64_t unpackRows(ByteView &view, int64_t offset, SDL_Surface *surface, PictureRowFormat format) {
    int bits = 8 / format.pixelsPerByte;
    unsigned valueMask = (1u << bits) - 1;
    int64_t dataBytes = (surface->w + format.pixelsPerByte - 1) / format.pixelsPerByte;
    int64_t rowBytes = pictureRowBytes(surface->w, format);
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
    return offset;
}

SDL_Surface *decodeRecord(ByteView &view, int64_t offset, PictureRowFormat format, int64_t *end) {
    int width = viewLe16(view, offset);
    int height = viewLe16(view, offset + 2);
    SDL_Surface *surface = createModeSurface(width, height);
    if (surface == nullptr) {
        return nullptr;
    }
    int64_t after = unpackRows(view, offset + 4, surface, format);
    if (end != nullptr) {
        *end = after;
    }
    return surface;
}

} // namespace

int64_t pictureEntryOffset(ByteView &view, int i, bool masked) {
    int64_t entry = pictureOffsetTable + pictureOffsetEntry * (int64_t)i;
    return masked ? viewLe16(view, entry) : viewLe32(view, entry);
}

int64_t pictureRecordEnd(ByteView &view, int64_t offset, PictureRowFormat format) {
    return offset + 4 +
           pictureRowBytes(viewLe16(view, offset), format) * viewLe16(view, offset + 2);
}

SDL_Surface *decodePicture(ByteView &view, int64_t offset, PictureRowFormat format, int64_t *end) {
    return decodeRecord(view, offset, format, end);
}

SDL_Surface *decodeMask(ByteView &view, int64_t offset) {
    // A mask is a one-bit picture whose set bits read as colour 1.
    return decodeRecord(view, offset, maskRows, nullptr);
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
