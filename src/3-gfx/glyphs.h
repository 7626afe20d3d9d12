// The 8x8 glyphs of the fonts and the 18 two-tone frame pieces built from them:
// expanded glyph pixels (one byte per pixel, row by row) become 16x16 surfaces.
#pragma once

#include <SDL.h>
#include <cstdint>

const int glyphPixels = 8;
const int glyphBits = glyphPixels * glyphPixels; // expanded pixels per glyph

// A new 8x8 surface with the mode's palette: setColour where a pixel byte is not
// 0, else 0. Not yet enlarged; nullptr when SDL cannot make the surface.
SDL_Surface *decodeGlyph(const uint8_t *pixels, Uint8 setColour);

// The font glyph frame piece index is drawn from (0-17), -1 outside.
int framePieceGlyph(int index);

// Builds frame piece index from its glyph's 64 expanded pixels: clear pixels 0, set
// pixels the highlight colour on the piece's highlight positions, else the base
// colour; stores the enlarged surface as entry index of frameGlyphs. Returns 0, or
// -1 when the store has no such entry or a surface cannot be made.
int32_t buildFrameGlyph(int index, const uint8_t *pixels, Uint8 baseColour, Uint8 highlightColour);
