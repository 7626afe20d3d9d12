// Where the pictures of a decompressed picture file lie: a 16-bit count, an
// offset table, and at each offset a record of 16-bit width and height and packed
// rows, in a masked file followed by its mask. Bytes past the end of the data read
// as 0, so a record may lie partly or wholly outside it.
#pragma once

#include <cstdint>

#include "4-data/byte_view.h"
#include "4-data/file_formats.h"

struct PictureRecord {
    int width;
    int height;
    int bits;         // bits per pixel of its rows: 2 (".4") or 4 (".16")
    int64_t pixels;   // first byte of the rows
    int64_t rowBytes; // one stored row, padding included
    bool masked;
    int maskWidth;
    int maskHeight;
    int64_t maskPixels;
    int64_t maskRowBytes;
    int64_t end; // the byte after the record and its mask
};

// The number of pictures the file declares.
int pictureCountOf(ByteView &data);

// Record i: its offset-table entry (masked files use only the low 16 bits of
// their 32-bit entries), then what lies there.
PictureRecord pictureRecordOf(ByteView &data, int i, PictureRowFormat rows, bool masked);

// The record that starts at offset.
PictureRecord pictureRecordAt(ByteView &data, int64_t offset, PictureRowFormat rows, bool masked);
