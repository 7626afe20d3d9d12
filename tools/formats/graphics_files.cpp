// Writers for tiles, fonts and picture files (the raw data; the compressed files
// wrap it with packLzw).
#include "formats/formats.h"

#include "4-data/file_formats.h"

namespace {

const int tilePixels = 256;

uint8_t pixelAt(const std::vector<uint8_t> &pixels, size_t i) {
    return i < pixels.size() ? pixels[i] : 0;
}

// Packs `count` values of `bits` bits each, leftmost value in the highest bits.
void packRow(Bytes &out, const std::vector<uint8_t> &values, size_t first, int count, int bits) {
    int perByte = 8 / bits;
    uint8_t mask = (uint8_t)((1 << bits) - 1);
    for (int x = 0; x < count; x += perByte) {
        uint8_t byte = 0;
        for (int j = 0; j < perByte; j++) {
            uint8_t v = x + j < count ? pixelAt(values, first + x + j) : 0;
            v = bits == 1 ? (v != 0) : (v & mask);
            byte |= (uint8_t)(v << (8 - bits * (j + 1)));
        }
        out.push_back(byte);
    }
}

Bytes packTiles(const std::vector<uint8_t> &pixels, int bits) {
    Bytes out;
    for (int t = 0; t < tilesPerFile; t++) {
        for (int y = 0; y < 16; y++) {
            packRow(out, pixels, (size_t)t * tilePixels + y * 16, 16, bits);
        }
    }
    return out;
}

void appendMask(Bytes &out, const Picture &p) {
    appendLe(out, p.width, 2);
    appendLe(out, p.height, 2);
    for (int y = 0; y < p.height; y++) {
        packRow(out, p.mask, (size_t)y * p.width, p.width, 1);
    }
}

// Rows of `rows`' pixels per byte, padded as the mode pads them.
Bytes buildPictureFile(const std::vector<Picture> &pictures, bool masked, PictureRowFormat rows) {
    Bytes out;
    appendLe(out, (uint32_t)pictures.size(), 2);
    out.resize(pictureOffsetTable + pictureOffsetEntry * pictures.size(), 0);
    int bits = 8 / rows.pixelsPerByte;
    for (size_t i = 0; i < pictures.size(); i++) {
        const Picture &p = pictures[i];
        setLe(out, pictureOffsetTable + pictureOffsetEntry * i, (uint32_t)out.size(), 4);
        appendLe(out, p.width, 2);
        appendLe(out, p.height, 2);
        for (int y = 0; y < p.height; y++) {
            size_t rowEnd = out.size() + pictureRowBytes(p.width, rows);
            packRow(out, p.pixels, (size_t)y * p.width, p.width, bits);
            out.resize(rowEnd, 0);
        }
        if (masked) {
            appendMask(out, p);
        }
    }
    return out;
}

} // namespace

Bytes packTiles4(const std::vector<uint8_t> &pixels) {
    return packTiles(pixels, 2);
}

Bytes packTiles16(const std::vector<uint8_t> &pixels) {
    return packTiles(pixels, 4);
}

Bytes packFont(const std::vector<uint8_t> &bits) {
    Bytes out;
    for (int row = 0; row < fontGlyphCount * fontGlyphBytes; row++) {
        packRow(out, bits, (size_t)row * 8, 8, 1);
    }
    return out;
}

Bytes buildPictureFile4(const std::vector<Picture> &pictures, bool masked) {
    return buildPictureFile(pictures, masked, pictureRows4);
}

Bytes buildPictureFile16(const std::vector<Picture> &pictures, bool masked) {
    return buildPictureFile(pictures, masked, pictureRows16);
}
