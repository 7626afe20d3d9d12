// Builds graphics data files for the tests with the format writers: a complete set
// of one colour mode's picture, tile and font files in a directory.
#pragma once

#include <string>
#include <vector>

#include "formats/formats.h"

// The fixture's picture sets: set k holds k % 3 pictures (so some are empty) of
// small odd sizes; masked sets mask the left half of each picture.
std::vector<Picture> fixturePictures(int set, bool fourColour);

// Tile t (0-511) is filled with colour t % colours, except tile 112, which has a
// pattern with zero and non-zero pixels.
std::vector<uint8_t> fixtureTilePixels(int colours);

// Glyph g has its top row set and, for g odd, its bottom row too.
std::vector<uint8_t> fixtureFontBits();

// Writes every graphics file of the mode into dir.
void writeGraphicsFiles(const std::string &dir, bool fourColour);
