// The rune font of the demo world, "runes.ch"; its text font "ibm.ch" is the
// program's own (4-data/text_font.h).
#pragma once

#include <cstdint>
#include <vector>

// 128 glyphs of 8x8 bits (one byte 0/1 per pixel), glyph-major, row-major.
std::vector<uint8_t> runeFontBits();
