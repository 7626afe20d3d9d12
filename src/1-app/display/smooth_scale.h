// The crisp enlargement of the 8-bit frame to a picture of any size (fit=1): as
// if each source pixel were first enlarged by the smallest whole number that
// reaches the picture's size and the result then smoothly shrunk to it, so that
// edges stay sharp and no row or column is doubled at random. Only where two source pixels
// meet in a picture pixel are their colours blended. Needs a display of 2 bytes
// per pixel or more: an 8-bit display shows the plain enlargement instead.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <vector>

#include "1-app/display/picture_layout.h"

// For each picture pixel along one axis: the two source pixels it shows and the
// weight of the second (0-256); the same pixel twice where no edge falls.
struct SmoothMap {
    std::vector<uint16_t> first;
    std::vector<uint16_t> second;
    std::vector<uint16_t> weight;
};

void buildSmoothMap(SmoothMap &map, int sourceSize, int pictureSize);

struct SmoothMaps {
    SmoothMap columns;
    SmoothMap rows;
};

void buildSmoothMaps(SmoothMaps &maps, int sourceWidth, int sourceHeight, int width, int height);

// Draws the picture rows that show any of the source rows firstRow..lastRow, at
// the layout's place in target (2-4 bytes per pixel, locked by the caller), with
// the colours of the source's palette.
void smoothRows(const SDL_Surface *source, SDL_Surface *target, const PictureLayout &layout,
                const SmoothMaps &maps, int firstRow, int lastRow);

// The picture rows [*from, *to] that show any of the source rows first..last.
void smoothSpan(const SmoothMap &map, int first, int last, int *from, int *to);
