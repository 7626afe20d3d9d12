#include "picture_records.h"

#include "3-gfx/palette.h"
#include "4-data/file_formats.h"

namespace {

uint32_t leAt(const Bytes &data, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = v << 8 | (at + i < data.size() ? data[at + i] : 0);
    }
    return v;
}

} // namespace

std::vector<PictureRecord> pictureRecords(const Bytes &data, int mode, bool masked) {
    PictureRowFormat format = mode == 4 ? pictureRows4 : pictureRows16;
    int count = (int)leAt(data, 0, 2);
    std::vector<PictureRecord> records;
    for (int i = 0; i < count; ++i) {
        PictureRecord r = {};
        // The masked files use only the low 16 bits of an offset entry.
        size_t at = leAt(data, pictureOffsetTable + (size_t)pictureOffsetEntry * i, masked ? 2 : 4);
        r.width = (int)leAt(data, at, 2);
        r.height = (int)leAt(data, at + 2, 2);
        r.bits = 8 / format.pixelsPerByte;
        r.pixels = at + 4;
        r.rowBytes = (size_t)pictureRowBytes(r.width, format);
        r.masked = masked;
        r.end = r.pixels + r.rowBytes * r.height;
        if (masked) {
            r.maskWidth = (int)leAt(data, r.end, 2);
            r.maskHeight = (int)leAt(data, r.end + 2, 2);
            r.maskPixels = r.end + 4;
            r.maskRowBytes = (size_t)pictureRowBytes(r.maskWidth, maskRows);
            r.end = r.maskPixels + r.maskRowBytes * r.maskHeight;
        }
        records.push_back(r);
    }
    return records;
}

bool pictureHasPng(const PictureRecord &record, size_t dataSize) {
    return record.width > 0 && record.height > 0 && record.pixels <= dataSize;
}

std::vector<SDL_Color> modeColours(int mode) {
    initPalette4();
    initPalette16();
    return mode == 4 ? std::vector<SDL_Color>(palette4, palette4 + 4)
                     : std::vector<SDL_Color>(palette16, palette16 + 16);
}
