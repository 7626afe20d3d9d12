// The demo world's art and music as the engine and a player need them: every
// tile named and drawn, flowing and cycling tiles that move, shores and water
// objects that fit the engine's cuts, legible fonts with the frame pieces,
// pictures of realistic sizes, playable music for every key, and the program's
// icon drawn from the hero.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "3-gfx/palette.h"
#include "3-gfx/png_file.h"
#include "4-data/text_font.h"
#include "commands/hero_icon.h"
#include "demo/canvas.h"
#include "demo/music_synth.h"
#include "demo/picture_files.h"
#include "demo/rune_font.h"
#include "demo/sprite_art.h"
#include "demo/tile_catalog.h"
#include "demo/tile_numbers.h"
#include "demo/tile_set.h"
#include "demo_world_fixture.h"
#include "formats/formats.h"
#include "test_support.h"

namespace {

std::vector<uint8_t> glyph(const std::vector<uint8_t> &font, int g) {
    return std::vector<uint8_t>(font.begin() + g * 64, font.begin() + g * 64 + 64);
}

int setPixels(const std::vector<uint8_t> &bits) {
    int n = 0;
    for (uint8_t b : bits) {
        n += b;
    }
    return n;
}

// Whether the engine keeps pixel (X, Y) of the enlarged 32x32 cut tile.
bool keptByCut(int mode, int X, int Y) {
    switch (mode) {
    case 1:
        return !(X + Y < 31);
    case 2:
        return !(X > Y);
    case 3:
        return !(X + Y > 31);
    default:
        return !(X < Y);
    }
}

uint32_t le32(const Bytes &b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | (uint32_t)b[at + 3] << 24;
}

} // namespace

TEST(DemoTiles, EveryTileHasItsOwnEntryAndAShortLowerCaseName) {
    for (int n = 0; n < 256; ++n) {
        EXPECT_EQ(mapTileRecipe(n).number, n);
    }
    std::vector<std::string> names = tileNames();
    ASSERT_EQ(names.size(), 512u);
    for (int n = 0; n < 512; ++n) {
        EXPECT_FALSE(names[n].empty()) << n;
        EXPECT_LE(names[n].size(), 31u) << n;
        for (char c : names[n]) {
            EXPECT_FALSE(c >= 'A' && c <= 'Z') << names[n];
        }
    }
    EXPECT_EQ(names[256 + heroSprite], "a hero");
}

TEST(DemoTiles, FlowingTilesVisiblyMoveWhenShiftedDown) {
    for (int n : {1, 2, 3, 143}) {
        Canvas tile = paintMapTile(n);
        Canvas shifted = tile;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                shifted.pixels[((y + 1) % 16) * 16 + x] = tile.pixels[y * 16 + x];
            }
        }
        EXPECT_NE(shifted.pixels, tile.pixels) << n;
    }
}

TEST(DemoTiles, ShoresHaveLandWhereTheEngineKeepsThem) {
    const int shores[8][2] = {{52, 1},  {53, 2},  {54, 3},  {55, 4},
                              {228, 3}, {229, 4}, {230, 1}, {231, 2}};
    for (const auto &shore : shores) {
        Canvas tile = paintMapTile(shore[0]);
        int kept = 0;
        for (int Y = 0; Y < 32; ++Y) {
            for (int X = 0; X < 32; ++X) {
                if (keptByCut(shore[1], X, Y)) {
                    ++kept;
                    // The painted water colour never shows in the part that stays.
                    EXPECT_NE(pixelAt(tile, X / 2, Y / 2), cyan)
                        << shore[0] << " " << X << "," << Y;
                }
            }
        }
        EXPECT_GT(kept, 400);
    }
}

TEST(DemoTiles, WaterObjectsAreCutOutByTheirMasks) {
    for (int k = 0; k < waterObjectCount; ++k) {
        Canvas object = paintMapTile(firstWaterObject + k);
        Canvas mask = paintMapTile(firstWaterMask + k);
        int water = 0;
        std::set<uint8_t> objectColours;
        for (int i = 0; i < 256; ++i) {
            if (mask.pixels[i] != 0) {
                ++water;
            } else {
                objectColours.insert(object.pixels[i]);
            }
            // The 4-colour mask is cut in the same places.
            EXPECT_EQ(fourColour(mask.pixels[i]) != 0, mask.pixels[i] != 0);
        }
        EXPECT_GT(water, 100) << k;
        EXPECT_LT(water, 250) << k;
        EXPECT_FALSE(objectColours.empty()) << k;
    }
}

TEST(DemoTiles, CyclingTilesChangeFromFrameToFrame) {
    const std::vector<std::vector<int>> cycles = {{212, 213, 214, 215},
                                                  {216, 217, 218, 219},
                                                  {236, 237, 238, 239},
                                                  {250, 251},
                                                  {252, 253},
                                                  {128, 129},
                                                  {130, 131}};
    for (const auto &cycle : cycles) {
        for (size_t i = 0; i < cycle.size(); ++i) {
            int next = cycle[(i + 1) % cycle.size()];
            EXPECT_NE(paintMapTile(cycle[i]).pixels, paintMapTile(next).pixels)
                << cycle[i] << " -> " << next;
        }
    }
}

TEST(DemoTiles, FourColourTilesKeepEveryPicture) {
    std::vector<uint8_t> pixels16 = tilePixels16();
    std::vector<uint8_t> pixels4 = tilePixels4(pixels16);
    ASSERT_EQ(pixels16.size(), 512u * 256u);
    for (int n = 0; n < 512; ++n) {
        std::set<uint8_t> colours16(pixels16.begin() + n * 256, pixels16.begin() + n * 256 + 256);
        std::set<uint8_t> colours4(pixels4.begin() + n * 256, pixels4.begin() + n * 256 + 256);
        EXPECT_LE(*colours4.rbegin(), 3);
        if (colours16.size() > 1) {
            EXPECT_GT(colours4.size(), 1u) << "tile " << n << " loses its picture in 4 colours";
        }
    }
}

TEST(DemoFonts, LettersDigitsAndPunctuationAreDrawnAndDistinct) {
    std::vector<uint8_t> font = textFontBits();
    ASSERT_EQ(font.size(), 128u * 64u);
    std::set<std::vector<uint8_t>> seen;
    for (int c = 33; c <= 122; ++c) {
        EXPECT_GT(setPixels(glyph(font, c)), 2) << (char)c;
        EXPECT_TRUE(seen.insert(glyph(font, c)).second) << (char)c << " looks like another";
    }
    EXPECT_EQ(setPixels(glyph(font, ' ')), 0);
    EXPECT_EQ(setPixels(glyph(font, 127)), 64);
    for (int c = 5; c <= 8; ++c) {
        EXPECT_GT(setPixels(glyph(font, c)), 4);
        EXPECT_TRUE(seen.insert(glyph(font, c)).second) << "cursor " << c;
    }
}

TEST(DemoFonts, FramePiecesHaveTheirHighlightsOnSetPixels) {
    std::vector<uint8_t> font = textFontBits();
    const std::vector<int> ornament16 = {7, 13, 14, 19, 20, 26, 34, 43, 44, 53, 54, 63};
    const std::vector<int> ornament17 = {0, 9, 10, 19, 20, 29, 37, 43, 44, 49, 50, 56};
    for (int p : ornament16) {
        EXPECT_EQ(font[1 * 64 + p], 1) << p;
    }
    for (int p : ornament17) {
        EXPECT_EQ(font[2 * 64 + p], 1) << p;
    }
    // Corners: the highlight pixel is set and the rounded-off corner is clear.
    const int corner[4][2] = {{123, 63}, {124, 56}, {125, 7}, {126, 0}};
    const int rounded[4] = {0, 7, 56, 63};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(font[corner[i][0] * 64 + corner[i][1]], 1) << corner[i][0];
        EXPECT_EQ(font[corner[i][0] * 64 + rounded[i]], 0) << corner[i][0];
    }
}

TEST(DemoFonts, RunesAreDrawnAndDistinct) {
    std::vector<uint8_t> runes = runeFontBits();
    std::set<std::vector<uint8_t>> seen;
    for (int g = 0; g < 128; ++g) {
        if (g != 32) {
            EXPECT_GT(setPixels(glyph(runes, g)), 7) << g;
            seen.insert(glyph(runes, g));
        }
    }
    EXPECT_EQ(seen.size(), 127u);
}

TEST(DemoPictures, EachModeHasManyPicturesOfRealisticSize) {
    for (int mode : {4, 16}) {
        int pictures = 0, fullScreens = 0;
        long pixels = 0;
        for (int k = 0; k < pictureSetCount; ++k) {
            std::vector<Picture> set = picturesOfFile(k);
            if (mode == 4) {
                set = fourColourPictures(set);
            }
            EXPECT_FALSE(set.empty()) << pictureFileName(k, mode == 4);
            for (const Picture &picture : set) {
                ++pictures;
                pixels += (long)picture.width * picture.height;
                fullScreens += picture.width == 320 && picture.height == 200;
                for (uint8_t v : picture.pixels) {
                    ASSERT_LT(v, mode);
                }
                if (k >= firstMaskedSet) {
                    ASSERT_EQ(picture.mask.size(), picture.pixels.size());
                    std::set<uint8_t> bits(picture.mask.begin(), picture.mask.end());
                    EXPECT_EQ(bits, (std::set<uint8_t>{0, 1})) << pictureFileName(k, mode == 4);
                }
            }
        }
        EXPECT_GE(pictures, 40) << mode;
        EXPECT_GE(pixels, 2000000) << mode;
        EXPECT_GE(fullScreens, 6) << mode;
    }
}

TEST(DemoMusic, EveryKeyNamesAPlayableWaveFile) {
    const std::string dir = demoWorldDirectory();
    Bytes ini;
    ASSERT_TRUE(readBytes(dir + "/music.ini", ini));
    std::string text(ini.begin(), ini.end());
    std::set<std::string> pieces;
    for (int n = 0; n < musicNumberCount; ++n) {
        std::string key = std::string("\n") + musicKeys[n] + "=";
        size_t at = text.find(key);
        ASSERT_NE(at, std::string::npos) << musicKeys[n];
        size_t end = text.find('\n', at + 1);
        pieces.insert(text.substr(at + key.size(), end - at - key.size()));
    }
    EXPECT_EQ(pieces.size(), (size_t)pieceCount);
    for (const std::string &piece : pieces) {
        Bytes wav;
        ASSERT_TRUE(readBytes(dir + "/music/" + piece, wav)) << piece;
        ASSERT_GT(wav.size(), 44u);
        EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
        EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
        EXPECT_EQ(le32(wav, 4), wav.size() - 8);
        EXPECT_EQ(wav[20] | wav[21] << 8, 1);  // PCM
        EXPECT_EQ(wav[34] | wav[35] << 8, 16); // bits per sample
        uint32_t rate = le32(wav, 24);
        uint32_t data = le32(wav, 40);
        EXPECT_EQ(data, wav.size() - 44);
        double seconds = data / 2.0 / rate;
        EXPECT_GT(seconds, 2.0) << piece;
        EXPECT_LT(seconds, 15.0) << piece;
        int loud = 0;
        for (size_t i = 44; i + 1 < wav.size(); i += 2) {
            int16_t sample = (int16_t)(wav[i] | wav[i + 1] << 8);
            loud += sample > 3000 || sample < -3000;
        }
        EXPECT_GT(loud, 1000) << piece << " is nearly silent";
    }
}

TEST(DemoIcon, TheHeroStandsOnASeeThroughGroundInEachSize) {
    ScratchDir dir;
    std::vector<SDL_Color> palette(palette16, palette16 + 16);
    palette.push_back(SDL_Color{0, 0, 0, 0}); // the see-through entry
    auto read = [&](int size, IndexedImage &icon, std::vector<uint8_t> &clear) {
        std::string problem;
        ASSERT_TRUE(writeHeroIcon("icon.png", size, problem)) << problem;
        ASSERT_TRUE(readPngIndexed("icon.png", palette.data(), 17, &icon, &clear, &problem))
            << problem;
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
    };
    for (int size : {16, 32, 48, 64, 128, 192, 256, 512}) {
        IndexedImage icon;
        std::vector<uint8_t> clear;
        ASSERT_NO_FATAL_FAILURE(read(size, icon, clear));
        auto at = [&](int x, int y) { return (size_t)y * size + x; };
        EXPECT_TRUE(clear[at(0, 0)] && clear[at(size - 1, 0)] && clear[at(0, size - 1)]);
        EXPECT_FALSE(clear[at(size / 2, size / 2)]);
        // The hero's own colours: the blue tunic and the yellow hair.
        std::set<uint8_t> colours;
        for (size_t i = 0; i < clear.size(); i++) {
            if (!clear[i]) {
                colours.insert(icon.pixels[i]);
            }
        }
        EXPECT_TRUE(colours.count(blue) && colours.count(yellow)) << size;
    }
    for (int size : {0, 12, 24, 96, 1024}) {
        std::string problem;
        EXPECT_FALSE(writeHeroIcon("odd.png", size, problem));
        EXPECT_NE(problem.find("16, 32, 48, 64, 128, 192, 256 or 512"), std::string::npos);
    }
    EXPECT_NE(access("odd.png", F_OK), 0);
}

TEST(DemoIcon, The48PixelIconIsTheSpriteSmoothedThreeTimes) {
    ScratchDir dir;
    std::vector<SDL_Color> palette(palette16, palette16 + 16);
    palette.push_back(SDL_Color{0, 0, 0, 0});
    IndexedImage small, large;
    std::vector<uint8_t> smallClear, largeClear;
    std::string problem;
    ASSERT_TRUE(writeHeroIcon("16.png", 16, problem) && writeHeroIcon("48.png", 48, problem))
        << problem;
    ASSERT_TRUE(readPngIndexed("16.png", palette.data(), 17, &small, &smallClear, &problem));
    ASSERT_TRUE(readPngIndexed("48.png", palette.data(), 17, &large, &largeClear, &problem));
    // The middle of each 3x3 block is the sprite's own pixel; the smoothing shows
    // where a block is not one colour.
    int mixedBlocks = 0;
    for (int y = 0; y < 16; y++) {
        for (int x = 0; x < 16; x++) {
            size_t middle = (size_t)(3 * y + 1) * 48 + 3 * x + 1;
            ASSERT_EQ(largeClear[middle], smallClear[y * 16 + x]) << x << "," << y;
            if (!smallClear[y * 16 + x]) {
                ASSERT_EQ(large.pixels[middle], small.pixels[y * 16 + x]) << x << "," << y;
            }
            std::set<int> block;
            for (int n = 0; n < 9; n++) {
                size_t at = (size_t)(3 * y + n / 3) * 48 + 3 * x + n % 3;
                block.insert(largeClear[at] ? -1 : large.pixels[at]);
            }
            mixedBlocks += block.size() > 1;
        }
    }
    EXPECT_GT(mixedBlocks, 10);
}
