// The nearest-neighbour enlargement of the 8-bit frame into the video mode's
// pixels: a column map and a row map say which source pixel each picture pixel
// shows, and a colour table turns palette indices into the mode's pixel values.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <vector>

#include "1-app/display/picture_layout.h"

// Picture pixel (x, y) shows source pixel (columns[x], rows[y]):
// columns[x] = x * sourceWidth / width, rows[y] = y * sourceHeight / height.
struct ScaleMaps {
    std::vector<uint16_t> columns;
    std::vector<uint16_t> rows;
    int repeat; // n when columns[x] = x / n for every x (a whole-number scale), else 0
};

void buildScaleMaps(ScaleMaps &maps, int sourceWidth, int sourceHeight, int width, int height);

// The target's pixel value for each of the 256 indices of the source's palette.
// An 8-bit target gets the indices themselves: it is given the source's palette.
void mapColours(const SDL_Surface *source, const SDL_Surface *target, Uint32 colours[256]);

// A rectangle of the source: columns left..right of rows top..bottom.
struct FrameArea {
    int left;
    int top;
    int right;
    int bottom;
};

// Draws an area of the source (8-bit) into the picture at the layout's place in
// target (1-4 bytes per pixel, locked by the caller): every picture pixel that
// shows a source pixel of the area. Picture rows that show the same source row as
// the row above are copies of it.
void scaleArea(const SDL_Surface *source, SDL_Surface *target, const PictureLayout &layout,
               const ScaleMaps &maps, const Uint32 colours[256], const FrameArea &area);

// scaleArea of whole rows firstRow..lastRow.
void scaleRows(const SDL_Surface *source, SDL_Surface *target, const PictureLayout &layout,
               const ScaleMaps &maps, const Uint32 colours[256], int firstRow, int lastRow);

// The picture pixels [*from, *to] along a map (columns or rows) that show source
// pixels first..last; *from > *to when none does.
void mappedSpan(const std::vector<uint16_t> &map, int first, int last, int *from, int *to);
