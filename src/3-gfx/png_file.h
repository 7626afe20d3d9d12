// PNG files for the whole program and its tools: palette pictures written and read
// through libpng. Screenshots, the icon and the data tool's export and import all
// go through here, so every PNG the project makes follows one set of rules. Only
// a regular file is read (a FIFO in a picture's place cannot hold the reader).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A picture of colour indices: width × height bytes, row by row, no padding.
// `palette` gives the colour of each index; `transparent` lists, per palette
// entry, whether it is drawn see-through (empty: every entry is opaque).
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    std::vector<SDL_Color> palette;
    std::vector<bool> transparent;
};

// The largest picture the reader accepts, in pixels: a 4096 × 4096 sheet.
// Anything larger is refused before memory is taken for it.
const long pngMaxPixels = 4096L * 4096L;

// An image of the given size with every pixel 0 and a copy of the palette.
IndexedImage makeIndexedImage(int width, int height, const SDL_Color *palette, int colours);

// Copies the pixels of an 8-bit surface (its own palette included) into an image.
IndexedImage imageFromSurface(const SDL_Surface *surface);

// Writes the image as a palette PNG (1, 2, 4 or 8 bits per pixel, as few as the
// palette needs; a tRNS chunk when an entry is transparent). Indices must be
// below the palette size. False with one line in *error when it cannot.
bool writeIndexedPng(const char *path, const IndexedImage &image, std::string *error);

// The same into a file already open for writing, which stays open (flushed). A
// write that fails names its reason ("No space left on device").
bool writeIndexedPngTo(FILE *file, const IndexedImage &image, std::string *error);

// Reads a PNG as indices into the given palette. A palette PNG is read by its
// indices, each of which must be below `colours`; any other PNG must use only
// colours that are exactly entries of the palette. Fully transparent pixels
// (alpha 0, or a tRNS entry of 0) are marked in *seeThrough (one byte per pixel,
// 1 = transparent; all 0 for an opaque picture); their index is 0 for RGB(A)
// pictures and the stored index for palette pictures. The image's palette is
// the given one. False with one line in *error (naming the pixel at fault).
bool readPngIndexed(const char *path, const SDL_Color *palette, int colours, IndexedImage *image,
                    std::vector<uint8_t> *seeThrough, std::string *error);
