// Writers for tiles, fonts and picture files (the raw data; the compressed files
// wrap it with packLzw).
#include "formats/formats.h"

namespace {

const int tileCount = 512;
const int tilePixels = 256;

uint8_t pixelAt(const std::vector<uint8_t> &pixels, size_t i) {
    return i < pixels.size() ? pixels[i] : 0;
}

void putLe16(Bytes &out, uint32_t v) {
    out.push_back((uint8_t)(v & 0xFF));
    out.push_back((uint8_t)((v >> 8) & 0xFF));
}

void setLe32(Bytes &out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) {
        out[at + i] = (uint8_t)(v >> (8 * i));
    }
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
    for (int t = 0; t < tileCount; t++) {
        for (int y = 0; y < 16; y++) {
            packRow(out, pixels, (size_t)t * tilePixels + y * 16, 16, bits);
        }
    }
    return out;
}

void appendMask(Bytes &out, const Picture &p) {
    putLe16(out, p.width);
    putLe16(out, p.height);
    for (int y = 0; y < p.height; y++) {
        packRow(out, p.mask, (size_t)y * p.width, p.width, 1);
    }
}

// bits 2: ".4" rows without padding; bits 4: ".16" rows padded to 4 bytes.
Bytes buildPictureFile(const std::vector<Picture> &pictures, bool masked, int bits) {
    Bytes out;
    putLe16(out, (uint32_t)pictures.size());
    out.resize(2 + 4 * pictures.size(), 0);
    for (size_t i = 0; i < pictures.size(); i++) {
        const Picture &p = pictures[i];
        setLe32(out, 2 + 4 * i, (uint32_t)out.size());
        putLe16(out, p.width);
        putLe16(out, p.height);
        for (int y = 0; y < p.height; y++) {
            size_t rowStart = out.size();
            packRow(out, p.pixels, (size_t)y * p.width, p.width, bits);
            if (bits == 4) {
                while ((out.size() - rowStart) % 4 != 0) {
                    out.push_back(0);
                }
            }
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
    for (int row = 0; row < 128 * 8; row++) {
        packRow(out, bits, (size_t)row * 8, 8, 1);
    }
    return out;
}

Bytes buildPictureFile4(const std::vector<Picture> &pictures, bool masked) {
    return buildPictureFile(pictures, masked, 2);
}

Bytes buildPictureFile16(const std::vector<Picture> &pictures, bool masked) {
    return buildPictureFile(pictures, masked, 4);
}
