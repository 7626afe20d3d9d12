// A small paint box for the generated art: an image of 16-colour indices with
// rectangles, lines, discs, dithering and hex-digit templates. Used by the tile,
// sprite and picture painters; the 4-colour art is derived from it by fourColour.
#pragma once

#include <cstdint>
#include <vector>

struct Canvas {
    int width;
    int height;
    std::vector<uint8_t> pixels; // width x height colour indices 0-15
};

// Colour names of the 16-colour palette, as the painters use them.
const uint8_t black = 0;
const uint8_t navy = 1;
const uint8_t darkGreen = 2;
const uint8_t teal = 3;
const uint8_t darkRed = 4;
const uint8_t purple = 5;
const uint8_t brown = 6;
const uint8_t lightGrey = 7;
const uint8_t darkGrey = 8;
const uint8_t blue = 9;
const uint8_t green = 10;
const uint8_t cyan = 11;
const uint8_t red = 12;
const uint8_t magenta = 13;
const uint8_t yellow = 14;
const uint8_t white = 15;

Canvas makeCanvas(int width, int height, uint8_t colour);

// The 4-colour index (black, cyan, magenta, white) that stands for a 16-colour one.
uint8_t fourColour(uint8_t colour16);

// Pixel access; reads outside give 0, writes outside are dropped.
uint8_t pixelAt(const Canvas &canvas, int x, int y);
void plot(Canvas &canvas, int x, int y, uint8_t colour);

void fillRect(Canvas &canvas, int x, int y, int w, int h, uint8_t colour);
void drawLine(Canvas &canvas, int x0, int y0, int x1, int y1, uint8_t colour);
void fillEllipse(Canvas &canvas, double cx, double cy, double rx, double ry, uint8_t colour);
void fillDisc(Canvas &canvas, double cx, double cy, double r, uint8_t colour);

// Ordered 4x4 dither threshold (0-15) of a pixel.
int bayerLevel(int x, int y);

// Fills the rectangle with `from` and `to` mixed: level 0 all `from`, 16 all `to`.
void ditherRect(Canvas &canvas, int x, int y, int w, int h, uint8_t from, uint8_t to, int level);

// Paints rows of hex digits (one colour index per character) at (x, y); any other
// character ('.') leaves the pixel as it is.
void drawTemplate(Canvas &canvas, int x, int y, const char *const *rows, int rowCount);

// Copies the whole of `source` into `target` at (x, y), skipping colour `skip`
// (pass a value above 15 to copy every pixel).
void pasteCanvas(Canvas &target, const Canvas &source, int x, int y, int skip);
