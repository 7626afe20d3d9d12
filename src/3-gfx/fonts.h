// Loading the two 8x8 fonts into the graphics store: the text glyphs of "ibm.ch",
// the frame pieces built from some of them, and the rune glyphs of "runes.ch".
#pragma once

#include <cstdint>
#include <string>

#include "4-data/file_formats.h"
#include "4-data/load_failure.h"

// A font's glyphs with one byte per pixel.
const int fontPixelCount = fontGlyphCount * fontGlyphBytes * 8;

// The glyph pixels of the first 1,024 bytes of a font file, one byte per bit (bit
// 7 first, each 0 or 1); pixels the file does not hold are 0, and a warning names
// a file shorter than that, another one longer. 0, -1 when the file cannot be opened or is not a
// regular file, -2 when it cannot be read (pixels then untouched).
int32_t loadFontPixels(const char *path, uint8_t pixels[fontPixelCount]);

// Fills textGlyphs (set pixels 3 or 15), frameGlyphs and runeGlyphs (set pixels 1).
// False, with failure set, when a font cannot be read or its surfaces cannot be
// made; a short one leaves the missing glyphs blank and warns.
bool loadFonts4(LoadFailure &failure);
bool loadFonts16(LoadFailure &failure);
