#include <gtest/gtest.h>

#include <cstdlib>

#include "3-gfx/glyphs.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/scale.h"
#include "3-gfx/text_picture.h"
#include "4-data/text_font.h"
#include "gfx_fixture.h"

namespace {

typedef std::vector<std::string> Rows;

// The 64 expanded pixels of a glyph given as 8 row bytes, bit 7 leftmost.
std::vector<uint8_t> expand(const uint8_t rows[8]) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 8; y++) {
        for (int bit = 7; bit >= 0; bit--) {
            pixels.push_back((rows[y] >> bit) & 1);
        }
    }
    return pixels;
}

class Glyphs : public GfxTest {
  protected:
    void SetUp() override {
        GfxTest::SetUp();
        graphicsStore.frameGlyphs = (SDL_Surface **)calloc(frameGlyphTotal, sizeof(SDL_Surface *));
    }
    void TearDown() override {
        for (int i = 0; i < frameGlyphTotal; i++) {
            SDL_FreeSurface(graphicsStore.frameGlyphs[i]);
        }
        free(graphicsStore.frameGlyphs);
        graphicsStore.frameGlyphs = nullptr;
        GfxTest::TearDown();
    }
};

TEST_F(Glyphs, RowByteSetsLeftmostAndRightmostPixel) {
    const uint8_t rows[8] = {0x81, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> pixels = expand(rows);
    SDL_Surface *glyph = decodeGlyph(pixels.data(), textGlyphColour());
    EXPECT_EQ(surfaceRows(glyph)[0], "3......3");
    EXPECT_EQ(surfaceRows(glyph)[1], "........");
    SDL_FreeSurface(glyph);
    useMode(0);
    glyph = decodeGlyph(pixels.data(), textGlyphColour());
    EXPECT_EQ(surfaceRows(glyph)[0], "f......f");
    SDL_FreeSurface(glyph);
    glyph = decodeGlyph(pixels.data(), runeGlyphColour);
    EXPECT_EQ(surfaceRows(glyph)[0], "1......1");
    SDL_FreeSurface(glyph);
}

// The highlight positions of a built piece: where its unenlarged pixel is the
// highlight colour, read from the top-left pixel of each 2x2 block (the test
// enlarges by replication so that blocks keep their pixel).
std::vector<int> highlightsOf(int index) {
    std::vector<int> found;
    SDL_Surface *s = graphicsStore.frameGlyphs[index];
    for (int p = 0; p < 64; p++) {
        int v = ((Uint8 *)s->pixels)[(p / 8) * 2 * s->pitch + (p % 8) * 2];
        if (v == frameHighlightColour()) {
            found.push_back(p);
        } else {
            EXPECT_EQ(v, frameBaseColour) << "piece " << index << " position " << p;
        }
    }
    return found;
}

TEST_F(Glyphs, FramePieceHighlightPositions) {
    scaler = nullptr;
    for (int video : {1, 0}) {
        useMode(video);
        std::vector<uint8_t> full(64, 1);
        for (int index : {0, 12, 16, 17}) {
            ASSERT_EQ(buildFrameGlyph(index, full.data(), frameBaseColour, frameHighlightColour()),
                      0);
            EXPECT_EQ(graphicsStore.frameGlyphs[index]->w, 16);
        }
        EXPECT_EQ(highlightsOf(0), std::vector<int>{});
        EXPECT_EQ(highlightsOf(12), std::vector<int>{63});
        EXPECT_EQ(highlightsOf(16),
                  (std::vector<int>{7, 13, 14, 19, 20, 26, 34, 43, 44, 53, 54, 63}));
        EXPECT_EQ(highlightsOf(17),
                  (std::vector<int>{0, 9, 10, 19, 20, 29, 37, 43, 44, 49, 50, 56}));
        for (int index : {0, 12, 16, 17}) {
            SDL_FreeSurface(graphicsStore.frameGlyphs[index]);
            graphicsStore.frameGlyphs[index] = nullptr;
        }
    }
}

TEST_F(Glyphs, ClearPixelsStayClearOnHighlightPositions) {
    // Piece 12 from a glyph whose bottom-right pixel is clear: no highlight at all.
    const uint8_t rows[8] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xfe};
    std::vector<uint8_t> pixels = expand(rows);
    ASSERT_EQ(buildFrameGlyph(12, pixels.data(), frameBaseColour, frameHighlightColour()), 0);
    std::vector<int> values = surfacePixels(graphicsStore.frameGlyphs[12]);
    EXPECT_EQ(values[16 * 16 - 1], 0);
    for (int v : values) {
        EXPECT_TRUE(v == 0 || v == frameBaseColour);
    }
}

// Text without any data file: rows broken at blanks (a word longer than a row is
// cut), each character a cell of the program's own font, a cell of margin, the
// note rows in their own colour, and '?' for what the font has no letter for.
TEST(TextPicture, RowsOfTheProgramsOwnFont) {
    EXPECT_EQ(wrapText({"one two three", "", "abcdefghijk", "  x"}, 5),
              (Rows{"one", "two", "three", "", "abcde", "fghij", "k", "  x"}));
    EXPECT_EQ(wrapText({"ab"}, 0), (Rows{"a", "b"})) << "no row narrower than a character";

    SDL_Surface *picture = drawTextPicture({"Ab", "|"}, 1, 1);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->w, 4 * 8);
    ASSERT_EQ(picture->h, 4 * 8);
    std::vector<uint8_t> font = textFontBits();
    Rows rows = surfaceRows(picture);
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) {
            int column = x / 8 - 1, row = y / 8 - 1;
            char c = row == 0 && column >= 0 && column < 2 ? "Ab"[column]
                     : row == 1 && column == 0             ? '?'
                                                           : ' ';
            bool lit = font[(size_t)c * 64 + (y % 8) * 8 + x % 8] != 0;
            char wanted = !lit ? '.' : row == 1 ? '2' : '1';
            ASSERT_EQ(rows[y][x], wanted) << "pixel " << x << ", " << y;
        }
    }
    SDL_FreeSurface(picture);
    // At scale 2 the cells are 16 pixels; the margin stays empty.
    picture = drawTextPicture({"Ab"}, 2, 0);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->w, 4 * 16);
    EXPECT_EQ(picture->h, 3 * 16);
    rows = surfaceRows(picture);
    EXPECT_EQ(rows[15], std::string(64, '.'));
    EXPECT_EQ(rows[32], std::string(64, '.'));
    EXPECT_NE(rows[20], std::string(64, '.'));
    SDL_FreeSurface(picture);
}

TEST_F(Glyphs, PieceSourcesAndBadIndices) {
    const int sources[frameGlyphTotal] = {127, 127, 127, 127, 127, 127, 127, 127, 127,
                                          127, 127, 127, 123, 124, 125, 126, 1,   2};
    for (int i = 0; i < frameGlyphTotal; i++) {
        EXPECT_EQ(framePieceGlyph(i), sources[i]);
    }
    std::vector<uint8_t> full(64, 1);
    EXPECT_EQ(buildFrameGlyph(18, full.data(), 1, 3), -1);
    EXPECT_EQ(buildFrameGlyph(-1, full.data(), 1, 3), -1);
}

} // namespace
