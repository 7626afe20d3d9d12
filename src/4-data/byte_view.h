// Bounded reading of a decoded data file: bytes past its end read as 0 and are
// remembered, so a loader can warn once that the file is shorter than its layout.
#pragma once

#include <cstdint>

struct ByteView {
    const uint8_t *data;
    int64_t size;
    bool overrun; // set when a read reached past the end
};

ByteView makeByteView(const uint8_t *data, int64_t size);

// Inline: the picture decoders read every byte through it.
inline uint8_t viewByte(ByteView &view, int64_t offset) {
    if (offset < 0 || offset >= view.size) {
        view.overrun = true;
        return 0;
    }
    return view.data[offset];
}

uint16_t viewLe16(ByteView &view, int64_t offset);
uint32_t viewLe32(ByteView &view, int64_t offset);

// Copies count bytes from offset into out, zero past the end.
void viewCopy(ByteView &view, int64_t offset, uint8_t *out, int64_t count);

// One line on standard error when a read of this file reached past its end.
void warnIfShort(const ByteView &view, const char *path);
