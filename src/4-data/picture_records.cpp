#include "4-data/picture_records.h"

int pictureCountOf(ByteView &data) {
    return viewLe16(data, 0);
}

PictureRecord pictureRecordOf(ByteView &data, int i, PictureRowFormat rows, bool masked) {
    int64_t entry = pictureOffsetTable + pictureOffsetEntry * (int64_t)i;
    return pictureRecordAt(data, masked ? viewLe16(data, entry) : viewLe32(data, entry), rows,
                           masked);
}

PictureRecord pictureRecordAt(ByteView &data, int64_t at, PictureRowFormat rows, bool masked) {
    PictureRecord r = {};
    r.width = viewLe16(data, at);
    r.height = viewLe16(data, at + 2);
    r.bits = 8 / rows.pixelsPerByte;
    r.pixels = at + 4;
    r.rowBytes = pictureRowBytes(r.width, rows);
    r.masked = masked;
    r.end = r.pixels + r.rowBytes * r.height;
    if (masked) {
        r.maskWidth = viewLe16(data, r.end);
        r.maskHeight = viewLe16(data, r.end + 2);
        r.maskPixels = r.end + 4;
        r.maskRowBytes = pictureRowBytes(r.maskWidth, maskRows);
        r.end = r.maskPixels + r.maskRowBytes * r.maskHeight;
    }
    return r;
}
