// Pixels packed into bytes, leftmost pixel in the highest bits: the rows of tiles,
// glyphs, pictures and masks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixel x of the row that starts at byte `row`, `bits` bits per pixel (1, 2, 4);
// 0 past the end of the data.
inline int packedPixel(const std::vector<uint8_t> &data, size_t row, int x, int bits) {
    size_t at = row + (size_t)x * bits / 8;
    int shift = 8 - bits - (x * bits) % 8;
    return at < data.size() ? (data[at] >> shift) & ((1 << bits) - 1) : 0;
}

// Sets pixel x of a row, leaving the other bits of its byte; the data must hold it.
inline void setPackedPixel(std::vector<uint8_t> &data, size_t row, int x, int bits, int value) {
    size_t at = row + (size_t)x * bits / 8;
    int shift = 8 - bits - (x * bits) % 8;
    uint8_t mask = (uint8_t)(((1 << bits) - 1) << shift);
    data[at] = (uint8_t)((data[at] & ~mask) | ((value << shift) & mask));
}
