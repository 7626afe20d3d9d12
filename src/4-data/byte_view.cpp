#include "4-data/byte_view.h"

#include <cstdio>

#include "4-data/shown_text.h"

ByteView makeByteView(const uint8_t *data, int64_t size) {
    ByteView view = {data, data != nullptr && size > 0 ? size : 0, false};
    return view;
}

uint16_t viewLe16(ByteView &view, int64_t offset) {
    return (uint16_t)(viewByte(view, offset) | (viewByte(view, offset + 1) << 8));
}

uint32_t viewLe32(ByteView &view, int64_t offset) {
    return (uint32_t)viewLe16(view, offset) | ((uint32_t)viewLe16(view, offset + 2) << 16);
}

void viewCopy(ByteView &view, int64_t offset, uint8_t *out, int64_t count) {
    for (int64_t i = 0; i < count; i++) {
        out[i] = viewByte(view, offset + i);
    }
}

void warnIfShort(const ByteView &view, const char *path) {
    if (view.overrun) {
        fprintf(stderr, "Warning: data file '%s' is shorter than its layout\n",
                shownText(path).c_str());
    }
}
