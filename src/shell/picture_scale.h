// The nearest-neighbour enlargement of the 8-bit frame into the video mode's
// pixels: a column map and a row map say which source pixel each picture pixel
// shows, and a colour table turns palette indices into the mode's pixel values.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <vector>

#include "shell/picture_layout.h"

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

// Draws source rows firstRow..lastRow (8-bit) into the picture at the layout's
// place in target (1-4 bytes per pixel, locked by the caller). Picture rows
// that show the same source row as the row above are copies of it.
void scaleRows(const SDL_Surface *source, SDL_Surface *target, const PictureLayout &layout,
               const ScaleMaps &maps, const Uint32 colours[256], int firstRow, int lastRow);

// The picture rows that show source rows firstRow..lastRow: [*top, *bottom].
void pictureRowsOf(const ScaleMaps &maps, int firstRow, int lastRow, int *top, int *bottom);
