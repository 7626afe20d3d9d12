#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>

#include "1-app/config/settings.h"
#include "3-gfx/fonts.h"
#include "3-gfx/graphics.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/pictures.h"
#include "3-gfx/tiles.h"
#include "4-data/lzw.h"
#include "gfx_fixture.h"
#include "graphics_files.h"
#include "test_support.h"

namespace {

typedef std::vector<std::string> Rows;

class GraphicsLoad : public GfxTest {
  protected:
    ScratchDir dir;
    DataDirectory data{dir.path.c_str()};
    void SetUp() override {
        GfxTest::SetUp();
        // The store as a fresh process has it: earlier tests leave their counts.
        graphicsStore.tileCount = graphicsStore.spriteTileCount = graphicsStore.textGlyphCount =
            graphicsStore.runeGlyphCount = graphicsStore.frameGlyphCount = 0;
        for (PictureSet &set : graphicsStore.pictureSets) {
            set.count = 0;
        }
    }
    void TearDown() override {
        freeGraphics();
        GfxTest::TearDown();
    }
    std::string file(const std::string &name) {
        return dir.path + "/" + name;
    }
};

std::set<int> valuesOf(SDL_Surface *surface) {
    std::vector<int> pixels = surfacePixels(surface);
    return std::set<int>(pixels.begin(), pixels.end());
}

bool isCutTile(int t) {
    return (t >= 52 && t <= 55) || (t >= 228 && t <= 231) || (t >= 96 && t <= 111);
}

void expectSize(SDL_Surface *surface, int w, int h) {
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->w, w);
    EXPECT_EQ(surface->h, h);
}

void checkCompleteStore(bool fourColour) {
    Uint8 key = fourColour ? 5 : 17;
    int white = fourColour ? 3 : 15;
    ASSERT_EQ(graphicsStore.tileCount, 256u);
    ASSERT_EQ(graphicsStore.spriteTileCount, 256u);
    for (int t = 0; t < 256; t++) {
        expectSize(graphicsStore.tileTable[t].surface, 32, 32);
        EXPECT_EQ((graphicsStore.tileTable[t].surface->flags & SDL_SRCCOLORKEY) != 0, isCutTile(t))
            << t;
        expectSize(graphicsStore.spriteTiles[t], 32, 32);
        EXPECT_EQ(graphicsStore.spriteTiles[t]->flags & SDL_SRCCOLORKEY, 0u);
    }
    EXPECT_TRUE(hasColourKey(graphicsStore.tileTable[52].surface, key));
    ASSERT_EQ(graphicsStore.textGlyphCount, 128u);
    ASSERT_EQ(graphicsStore.runeGlyphCount, 128u);
    ASSERT_EQ(graphicsStore.frameGlyphCount, 18);
    for (int g = 0; g < 128; g++) {
        expectSize(graphicsStore.textGlyphs[g], 16, 16);
        expectSize(graphicsStore.runeGlyphs[g], 16, 16);
        EXPECT_EQ(valuesOf(graphicsStore.textGlyphs[g]), (std::set<int>{0, white}));
        EXPECT_EQ(valuesOf(graphicsStore.runeGlyphs[g]), (std::set<int>{0, 1}));
    }
    for (int i = 0; i < 18; i++) {
        expectSize(graphicsStore.frameGlyphs[i], 16, 16);
    }
    for (int k = 0; k < pictureSetCount; k++) {
        std::vector<Picture> expected = fixturePictures(k, fourColour);
        ASSERT_EQ(graphicsStore.pictureSets[k].count, expected.size()) << "set " << k;
        for (size_t i = 0; i < expected.size(); i++) {
            SDL_Surface *p = pictureOf(k, (int)i);
            expectSize(p, 2 * expected[i].width, 2 * expected[i].height);
            bool masked = k >= 16;
            EXPECT_EQ(hasColourKey(p, key), masked) << "set " << k;
            // Masked pictures are transparent exactly on their left half.
            for (int y = 0; masked && y < p->h; y++) {
                for (int x = 0; x < p->w; x++) {
                    bool under = x < 2 * (expected[i].width / 2);
                    ASSERT_EQ(((Uint8 *)p->pixels)[y * p->pitch + x] == key, under)
                        << "set " << k << " picture " << i << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(GraphicsLoad, CompleteDirectoryLoadsInBothModes) {
    for (int video : {1, 2}) {
        SCOPED_TRACE(video);
        useMode(video);
        writeGraphicsFiles(dir.path, video == 1);
        testing::internal::CaptureStderr();
        LoadFailure failure;
        EXPECT_TRUE(loadGraphics(failure));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        // The load makes no picture: each is made at its first ask, then kept.
        for (const PictureSet &set : graphicsStore.pictureSets) {
            for (int i = 0; i < set.count; i++) {
                ASSERT_EQ(set.surfaces[i], nullptr);
            }
        }
        checkCompleteStore(video == 1);
        EXPECT_EQ(pictureOf(17, 1), graphicsStore.pictureSets[17].surfaces[1]);
        EXPECT_EQ(pictureOf(17, graphicsStore.pictureSets[17].count), nullptr);
        EXPECT_EQ(pictureOf(pictureSetCount, 0), nullptr);
        freeGraphics();
    }
}

TEST_F(GraphicsLoad, TileContentsClassesAndMaskCut) {
    useMode(0);
    writeGraphicsFiles(dir.path, false);
    LoadFailure failure;
    ASSERT_TRUE(loadTiles16(failure));
    EXPECT_EQ(valuesOf(graphicsStore.tileTable[6].surface), std::set<int>{6});
    EXPECT_EQ(valuesOf(graphicsStore.spriteTiles[7]), std::set<int>{(256 + 7) % 16});
    EXPECT_EQ(graphicsStore.tileTable[143].animClass, scrolling);
    EXPECT_EQ(graphicsStore.tileTable[253].animClass, cycleBack1);
    // Tile 96 is cut exactly where the enlarged tile 112 is not 0; 112 stays whole.
    SDL_Surface *cut = graphicsStore.tileTable[96].surface;
    SDL_Surface *mask = graphicsStore.tileTable[112].surface;
    int transparent = 0;
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) {
            bool masked = ((Uint8 *)mask->pixels)[y * mask->pitch + x] != 0;
            int value = ((Uint8 *)cut->pixels)[y * cut->pitch + x];
            ASSERT_EQ(value, masked ? 17 : 96 % 16) << x << "," << y;
            transparent += masked;
        }
    }
    EXPECT_GT(transparent, 0);
    EXPECT_LT(transparent, 32 * 32);
    EXPECT_EQ(mask->flags & SDL_SRCCOLORKEY, 0u);
    EXPECT_EQ(valuesOf(graphicsStore.tileTable[52].surface), (std::set<int>{4, 17}));
}

TEST_F(GraphicsLoad, ShortFilesLeaveBlanksAndWarnOnce) {
    // 100 tiles instead of 512, and a font of 100 bytes.
    std::vector<uint8_t> pixels = fixtureTilePixels(4);
    Bytes raw = packTiles4(pixels);
    raw.resize(100 * 64);
    writeBytes(file("tiles.4"), packLzw(raw));
    Bytes font = packFont(fixtureFontBits());
    font.resize(100);
    writeBytes(file("ibm.ch"), font);
    writeBytes(file("runes.ch"), packFont(fixtureFontBits()));
    testing::internal::CaptureStderr();
    LoadFailure failure;
    EXPECT_TRUE(loadTiles4(failure));
    EXPECT_TRUE(loadFonts4(failure));
    std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_EQ(warnings, "Warning: data file '" + file("tiles.4") +
                            "' is shorter than its layout\nWarning: data file '" + file("ibm.ch") +
                            "' is shorter than its layout\n");
    EXPECT_EQ(valuesOf(graphicsStore.tileTable[99].surface), std::set<int>{99 % 4});
    EXPECT_EQ(valuesOf(graphicsStore.tileTable[100].surface), std::set<int>{0});
    EXPECT_EQ(valuesOf(graphicsStore.spriteTiles[255]), std::set<int>{0});
    EXPECT_EQ(valuesOf(graphicsStore.textGlyphs[12]),
              (std::set<int>{0, 3})); // bytes 96-103 hold a row
    EXPECT_EQ(valuesOf(graphicsStore.textGlyphs[13]), std::set<int>{0});
    EXPECT_EQ(valuesOf(graphicsStore.runeGlyphs[13]), (std::set<int>{0, 1}));
}

Bytes withLe16(Bytes bytes, size_t at, int value) {
    bytes[at] = (uint8_t)value;
    bytes[at + 1] = (uint8_t)(value >> 8);
    return bytes;
}

TEST_F(GraphicsLoad, PictureSetsEmptyOutOfRangeAndOutsideTheData) {
    writeBytes(file("empty.4"), packLzw(buildPictureFile4({}, false)));
    uint16_t count = 99;
    EXPECT_EQ(loadPictureSet4(file("empty.4").c_str(), 3, &count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(graphicsStore.pictureSets[3].surfaces, nullptr);
    EXPECT_EQ(loadPictureSet4(file("empty.4").c_str(), 16, &count), -1);
    EXPECT_EQ(loadMaskedPictureSet4(file("empty.4").c_str(), 15, &count), -1);
    EXPECT_EQ(loadPictureSet4(file("missing.4").c_str(), 3, &count), -1);
    // Two pictures; the second offset points far outside the data.
    Bytes raw = buildPictureFile4(fixturePictures(2, true), false);
    raw = withLe16(raw, 6, 0xFFF0);
    writeBytes(file("far.4"), packLzw(raw));
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadPictureSet4(file("far.4").c_str(), 4, &graphicsStore.pictureSets[4].count), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: data file '" + file("far.4") + "' is shorter than its layout\n");
    ASSERT_EQ(graphicsStore.pictureSets[4].count, 2);
    expectSize(pictureOf(4, 0), 2 * fixturePictures(2, true)[0].width,
               2 * fixturePictures(2, true)[0].height);
    expectSize(pictureOf(4, 1), 0, 0);
    // Rows that run past the end are named at the load, before any picture is made.
    raw = buildPictureFile4(fixturePictures(2, true), false);
    raw.resize(raw.size() - 1);
    writeBytes(file("cut.4"), packLzw(raw));
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadPictureSet4(file("cut.4").c_str(), 5, &graphicsStore.pictureSets[5].count), 0);
    EXPECT_EQ(graphicsStore.pictureSets[5].surfaces[1], nullptr);
    EXPECT_NE(pictureOf(5, 1), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: data file '" + file("cut.4") + "' is shorter than its layout\n");
}

TEST_F(GraphicsLoad, MaskedOffsetsUseOnlyTheirLowSixteenBits) {
    useMode(0);
    Bytes raw = buildPictureFile16(fixturePictures(17, false), true);
    raw[5] = 0x7F; // the upper half of the first offset entry is ignored
    writeBytes(file("mon0.16"), packLzw(raw));
    testing::internal::CaptureStderr();
    EXPECT_EQ(
        loadMaskedPictureSet16(file("mon0.16").c_str(), 17, &graphicsStore.pictureSets[17].count),
        0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(graphicsStore.pictureSets[17].count, 2);
    EXPECT_TRUE(hasColourKey(pictureOf(17, 0), 17));
    EXPECT_EQ(pictureOf(17, 0)->w, 2 * fixturePictures(17, false)[0].width);
}

TEST_F(GraphicsLoad, FontFilesExpandEveryBitAndLeaveThePixelsOnFailure) {
    writeBytes(file("bits"), Bytes{0x81, 0x40});
    static uint8_t pixels[fontPixelCount];
    testing::internal::CaptureStderr();
    ASSERT_EQ(loadFontPixels(file("bits").c_str(), pixels), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: data file '" + file("bits") + "' is shorter than its layout\n");
    std::vector<int> bits(pixels, pixels + 17);
    EXPECT_EQ(bits, (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(loadFontPixels(file("nothing").c_str(), pixels), -1);
    EXPECT_EQ(pixels[0], 1) << "a failed load leaves the pixels as they were";
}

// The counts the store is left with, as the teardown finds them.
std::string counts() {
    int pictures = 0;
    for (const PictureSet &set : graphicsStore.pictureSets) {
        pictures += set.count > 0;
    }
    char text[160];
    snprintf(text, sizeof text, "tiles %u sprites %u text %u runes %u frames %u sets %d",
             graphicsStore.tileCount, graphicsStore.spriteTileCount, graphicsStore.textGlyphCount,
             graphicsStore.runeGlyphCount, graphicsStore.frameGlyphCount, pictures);
    return text;
}

TEST_F(GraphicsLoad, MissingRunesFailsWithTheTextGlyphsReleased) {
    writeGraphicsFiles(dir.path, true);
    remove(file("runes.ch").c_str());
    LoadFailure failure;
    EXPECT_FALSE(loadGraphics(failure));
    EXPECT_EQ(loadFailureLine(failure), "Cannot open data file '" + file("runes.ch") + "'");
    // Sets 1, 2, 4, 5, 7, ... hold pictures: 16 of the 25.
    EXPECT_EQ(counts(), "tiles 256 sprites 256 text 0 runes 0 frames 18 sets 16");
}

TEST_F(GraphicsLoad, MissingPictureFileFailsAfterTheSetsBeforeIt) {
    writeGraphicsFiles(dir.path, true);
    remove(file("mon3.4").c_str());
    LoadFailure failure;
    EXPECT_FALSE(loadGraphics(failure));
    EXPECT_EQ(loadFailureLine(failure), "Cannot open data file '" + file("mon3.4") + "'");
    // Sets 0-19 are complete (13 of them hold pictures); mon3.4 is set 20.
    EXPECT_EQ(counts(), "tiles 0 sprites 0 text 0 runes 0 frames 0 sets 13");
}

TEST_F(GraphicsLoad, FilesThatAreNotCompressedFailTheLoad) {
    useMode(0);
    writeGraphicsFiles(dir.path, false);
    writeBytes(file("tiles.16"), Bytes{1, 2, 3, 4, 5, 6, 7, 8});
    LoadFailure failure;
    EXPECT_FALSE(loadGraphics(failure));
    EXPECT_EQ(loadFailureLine(failure),
              "Bad data file '" + file("tiles.16") + "': not a valid LZW-compressed file");
    EXPECT_EQ(counts(), "tiles 0 sprites 0 text 0 runes 0 frames 0 sets 16");
    remove(file("ibm.ch").c_str());
    EXPECT_FALSE(loadFonts16(failure));
    EXPECT_EQ(loadFailureLine(failure), "Cannot open data file '" + file("ibm.ch") + "'");
}

} // namespace
