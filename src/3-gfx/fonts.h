// Loading the two 8x8 fonts into the graphics store: the text glyphs of "ibm.ch",
// the frame pieces built from some of them, and the rune glyphs of "runes.ch".
#pragma once

#include <cstdint>

// Reads the plain file at path into LoadedFile, one byte per bit (bit 7 first, each
// 0 or 1): size is 8 x the file's size. Returns 0, -1 when the file cannot be
// opened or is not a regular file, -2 when it cannot be read whole (LoadedFile is
// then untouched).
int32_t loadBitFile(const char *path);

// Fills textGlyphs (set pixels 3 or 15), frameGlyphs and runeGlyphs (set pixels 1).
// A font that cannot be opened ends the program; a short one leaves the missing
// glyphs blank and warns.
void loadFonts4();
void loadFonts16();
