// The rune font: 128 angular glyphs built from a stave and a few strokes chosen
// in turn, each rune differing from all others. Glyph 32 is left blank as the
// space between words.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "rune_font.h"

#include "4-data/file_formats.h"

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

// Candidate stroke sets in order: the pairs of the twelve strokes, then the
// triples at a stride so that they vary widely.
std::vector<std::vector<int>> strokeSets() {
    std::vector<std::vector<int>> pairs, triples;
    for (int a = 0; a < 12; ++a) {
        for (int b = a + 1; b < 12; ++b) {
            pairs.push_back({a, b});
            for (int c = b + 1; c < 12; ++c) {
                triples.push_back({a, b, c});
            }
        }
    }
    for (size_t i = 0; i < triples.size(); ++i) {
        pairs.push_back(triples[(i * 7) % triples.size()]);
    }
    return pairs;
}

} // namespace

std::vector<uint8_t> runeFontBits() {
    std::vector<uint8_t> bits((size_t)fontGlyphCount * 64, 0);
    std::vector<std::vector<int>> sets = strokeSets();
    std::set<std::vector<uint8_t>> used;
    size_t next = 0;
    for (int g = 0; g < fontGlyphCount; ++g) {
        if (g == 32) {
            continue;
        }
        // Take the next stroke set that draws a rune not drawn before.
        while (next < sets.size()) {
            std::vector<uint8_t> one(64, 0);
            line(one, 0, Stroke{3, 0, 3, 6});
            for (int stroke : sets[next++]) {
                line(one, 0, strokes[stroke]);
            }
            if (used.insert(one).second) {
                std::copy(one.begin(), one.end(), bits.begin() + (size_t)g * 64);
                break;
            }
        }
    }
    return bits;
}
