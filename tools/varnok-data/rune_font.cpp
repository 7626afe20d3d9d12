// The rune font: 128 angular glyphs built from a stave and a few strokes chosen
// by the glyph number, so that the runes look alike in style but differ in
// shape. Glyph 32 is left blank as the space between words.
#include <algorithm>
#include <cstdlib>

#include "rng.h"
#include "text_font.h"

namespace {

struct Stroke {
    int x0, y0, x1, y1;
};

// Strokes relative to a stave in column 3 that runs from row 0 to row 6.
const Stroke strokes[12] = {
    {3, 0, 6, 2}, {3, 0, 0, 2}, {3, 2, 6, 4}, {3, 2, 0, 4}, {3, 4, 6, 6}, {3, 4, 0, 6},
    {6, 0, 3, 3}, {0, 0, 3, 3}, {1, 3, 5, 3}, {6, 2, 6, 5}, {0, 2, 0, 5}, {3, 3, 6, 0},
};

void line(std::vector<uint8_t> &bits, int glyph, Stroke s) {
    int steps = std::max(std::abs(s.x1 - s.x0), std::abs(s.y1 - s.y0));
    for (int i = 0; i <= steps; ++i) {
        int x = s.x0 + (steps ? (s.x1 - s.x0) * i / steps : 0);
        int y = s.y0 + (steps ? (s.y1 - s.y0) * i / steps : 0);
        bits[(size_t)glyph * 64 + y * 8 + x] = 1;
    }
}

} // namespace

std::vector<uint8_t> runeFontBits() {
    std::vector<uint8_t> bits((size_t)glyphTotal * 64, 0);
    for (int g = 0; g < glyphTotal; ++g) {
        if (g == 32) {
            continue;
        }
        // Two strokes picked from the glyph number, a third for the upper half.
        Rng rng = makeRng(9000 + g);
        line(bits, g, Stroke{3, 0, 3, 6});
        int first = g % 12;
        int second = (first + 1 + (g / 12) % 11) % 12;
        line(bits, g, strokes[first]);
        line(bits, g, strokes[second]);
        if (g >= 64) {
            line(bits, g, strokes[randomBelow(rng, 12)]);
        }
    }
    return bits;
}
