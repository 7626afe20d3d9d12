// Where the pictures of a decompressed picture file lie: each record's size, its
// packed rows and, in the masked files, its mask.
#pragma once

#include <SDL.h>
#include <vector>

#include "formats/formats.h"

struct PictureRecord {
    int width;
    int height;
    int bits;        // bits per pixel: 2 (".4") or 4 (".16")
    size_t pixels;   // first byte of the rows
    size_t rowBytes; // one stored row, padding included
    bool masked;
    int maskWidth;
    int maskHeight;
    size_t maskPixels;
    size_t maskRowBytes;
    size_t end; // the byte after the record and its mask
};

// The records of a picture file of mode 4 or 16; bytes past the end of the data
// read as 0, as the engine reads them.
std::vector<PictureRecord> pictureRecords(const Bytes &data, int mode, bool masked);

// Whether export gives a record a PNG: a picture with no pixels, or one that
// starts past the end of the data, has none, and import leaves its record as is.
bool pictureHasPng(const PictureRecord &record, size_t dataSize);

// The palette of a colour mode: 4 or 16 colours.
std::vector<SDL_Color> modeColours(int mode);
