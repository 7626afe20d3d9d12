// Packed pixel rows (1, 2 or 4 bits a pixel, the leftmost pixel in the highest
// bits) unpacked into 8-bit rows: each byte is looked up in a table of its pixels,
// so a row costs a copy per byte rather than a shift, a mask and a store per pixel.
#pragma once

#include <cstdint>

// Writes the first width pixels of the packed row into out (width bytes). row
// holds at least (width * bits + 7) / 8 bytes; bits is 1, 2 or 4 (others write
// nothing).
void unpackRow(const uint8_t *row, int width, int bits, uint8_t *out);
