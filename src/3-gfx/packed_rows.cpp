#include "3-gfx/packed_rows.h"

#include <cstring>

namespace {

// Each byte's pixels, leftmost first, at one bit depth: 8, 4 or 2 of them.
struct ByteTable {
    uint8_t pixels[256][8];
};

// Built at the first use rather than stored in the program: 6 KiB less for the
// browser to fetch before its first frame.
ByteTable tableOf(int bits) {
    ByteTable table = {};
    int perByte = 8 / bits;
    int valueMask = (1 << bits) - 1;
    for (int byte = 0; byte < 256; byte++) {
        for (int j = 0; j < perByte; j++) {
            table.pixels[byte][j] = (uint8_t)((byte >> (8 - bits * (j + 1))) & valueMask);
        }
    }
    return table;
}

// perByte is a constant in each instance, so every whole byte is one fixed-size copy.
template <int perByte>
void unpackWith(const ByteTable &table, const uint8_t *row, int width, uint8_t *out) {
    int whole = width / perByte;
    for (int k = 0; k < whole; k++) {
        memcpy(out + k * perByte, table.pixels[row[k]], perByte);
    }
    int rest = width - whole * perByte;
    if (rest > 0) {
        memcpy(out + whole * perByte, table.pixels[row[whole]], rest);
    }
}

} // namespace

void unpackRow(const uint8_t *row, int width, int bits, uint8_t *out) {
    switch (bits) {
    case 1: {
        static const ByteTable oneBit = tableOf(1);
        unpackWith<8>(oneBit, row, width, out);
        break;
    }
    case 2: {
        static const ByteTable twoBits = tableOf(2);
        unpackWith<4>(twoBits, row, width, out);
        break;
    }
    case 4: {
        static const ByteTable fourBits = tableOf(4);
        unpackWith<2>(fourBits, row, width, out);
        break;
    }
    default:
        break;
    }
}
