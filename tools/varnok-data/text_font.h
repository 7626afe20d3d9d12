// The two 8x8 fonts of the demo world: the text font "ibm.ch" (printable ASCII,
// cursor frames, frame pieces) and the rune font "runes.ch".
#pragma once

#include <cstdint>
#include <vector>

const int glyphTotal = 128;

// 128 glyphs of 8x8 bits (one byte 0/1 per pixel), glyph-major, row-major.
std::vector<uint8_t> textFontBits();
std::vector<uint8_t> runeFontBits();
