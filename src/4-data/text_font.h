// The program's own 8x8 text font: printable ASCII (letters five pixels wide and
// seven high), the pieces and ornaments of the screen frame and the four turns of
// the cursor, in the layout of a font file. The engine can draw a message with it
// when no data file is there; the demo world's "ibm.ch" is made from it.
#pragma once

#include <cstdint>
#include <vector>

// 128 glyphs of 8x8 bits (one byte 0/1 per pixel), glyph-major, row-major.
std::vector<uint8_t> textFontBits();
