#include "3-gfx/glyphs.h"

#include "3-gfx/graphics_store.h"
#include "3-gfx/scale.h"
#include "3-gfx/surface_pixels.h"

namespace {

// Each frame piece: its source glyph and the positions p = 8 * row + column drawn
// in the highlight tone when set.
struct FramePiece {
    int glyph;
    int count;
    uint8_t highlights[16];
};

const FramePiece framePieces[frameGlyphTotal] = {
    {127, 0, {}},
    {127, 8, {0, 1, 2, 3, 4, 5, 6, 7}},
    {127, 8, {56, 57, 58, 59, 60, 61, 62, 63}},
    {127, 8, {7, 15, 23, 31, 39, 47, 55, 63}},
    {127, 8, {0, 8, 16, 24, 32, 40, 48, 56}},
    {127, 16, {0, 1, 2, 3, 4, 5, 6, 7, 56, 57, 58, 59, 60, 61, 62, 63}},
    {127, 16, {0, 8, 16, 24, 32, 40, 48, 56, 7, 15, 23, 31, 39, 47, 55, 63}},
    {127, 10, {0, 8, 16, 24, 32, 40, 48, 56, 7, 63}},
    {127, 9, {7, 15, 23, 31, 39, 47, 55, 63, 0}},
    {127, 9, {56, 57, 58, 59, 60, 61, 62, 63, 0}},
    {127, 2, {56, 63}},
    {127, 2, {56, 0}},
    {123, 1, {63}},
    {124, 1, {56}},
    {125, 1, {7}},
    {126, 1, {0}},
    {1, 12, {7, 13, 14, 19, 20, 26, 34, 43, 44, 53, 54, 63}},
    {2, 12, {0, 9, 10, 19, 20, 29, 37, 43, 44, 49, 50, 56}},
};

bool isHighlight(const FramePiece &piece, int position) {
    for (int i = 0; i < piece.count; i++) {
        if (piece.highlights[i] == position) {
            return true;
        }
    }
    return false;
}

} // namespace

SDL_Surface *decodeGlyph(const uint8_t *pixels, Uint8 setColour) {
    SDL_Surface *surface = createModeSurface(glyphPixels, glyphPixels);
    if (surface == nullptr) {
        return nullptr;
    }
    for (int p = 0; p < glyphBits; p++) {
        putPixel(surface, p % glyphPixels, p / glyphPixels, pixels[p] != 0 ? setColour : 0);
    }
    return surface;
}

int framePieceGlyph(int index) {
    return index >= 0 && index < frameGlyphTotal ? framePieces[index].glyph : -1;
}

int32_t buildFrameGlyph(int index, const uint8_t *pixels, Uint8 baseColour, Uint8 highlightColour) {
    if (index < 0 || index >= frameGlyphTotal || graphicsStore.frameGlyphs == nullptr) {
        return -1;
    }
    SDL_Surface *surface = createModeSurface(glyphPixels, glyphPixels);
    if (surface == nullptr) {
        return -1;
    }
    const FramePiece &piece = framePieces[index];
    for (int p = 0; p < glyphBits; p++) {
        Uint8 colour = 0;
        if (pixels[p] != 0) {
            colour = isHighlight(piece, p) ? highlightColour : baseColour;
        }
        putPixel(surface, p % glyphPixels, p / glyphPixels, colour);
    }
    graphicsStore.frameGlyphs[index] = enlargeDecoded(surface);
    return graphicsStore.frameGlyphs[index] != nullptr ? 0 : -1;
}
