// The graphics writers lay their bytes out as the loaders read them.
#include <gtest/gtest.h>

#include <vector>

#include "formats/formats.h"

TEST(FormatWriters, TilesAndFontsPackLeftmostPixelHighest) {
    std::vector<uint8_t> pixels(512 * 256, 0);
    pixels[0] = 0;
    pixels[1] = 1;
    pixels[2] = 2;
    pixels[3] = 3;
    pixels[511 * 256 + 255] = 3;
    Bytes four = packTiles4(pixels);
    ASSERT_EQ(four.size(), 32768u);
    EXPECT_EQ(four[0], 0x1B);
    EXPECT_EQ(four[32767], 0x03);

    pixels[0] = 5;
    pixels[1] = 10;
    Bytes sixteen = packTiles16(pixels);
    ASSERT_EQ(sixteen.size(), 65536u);
    EXPECT_EQ(sixteen[0], 0x5A);
    EXPECT_EQ(sixteen[64 * 128 + 0], 0x00);

    std::vector<uint8_t> bits(128 * 64, 0);
    bits[64 * 5 + 8] = 1; // glyph 5, row 1: leftmost and rightmost
    bits[64 * 5 + 15] = 1;
    Bytes font = packFont(bits);
    ASSERT_EQ(font.size(), 1024u);
    EXPECT_EQ(font[8 * 5 + 1], 0x81);
}

TEST(FormatWriters, PictureFilesRowsPaddingAndMasks) {
    Picture small = {3, 1, {3, 2, 1}, {}};
    EXPECT_EQ(buildPictureFile4({small}, false), (Bytes{1, 0, 6, 0, 0, 0, 3, 0, 1, 0, 0xE4}));

    // ".16" rows are padded to 4 bytes: width 5 -> 3 + 1, 8 -> 4, 9 -> 5 + 3.
    for (auto [width, rowBytes] : std::vector<std::pair<int, size_t>>{{5, 4}, {8, 4}, {9, 8}}) {
        Picture p = {width, 2, std::vector<uint8_t>(width * 2, 7), {}};
        Bytes b = buildPictureFile16({p}, false);
        EXPECT_EQ(b.size(), 6 + 4 + 2 * rowBytes) << width;
    }

    // A masked ".16" picture 12 wide: 6 data bytes + 2 padding per row, then the
    // mask header and unpadded 2-byte mask rows.
    Picture masked = {12, 1, std::vector<uint8_t>(12, 1), std::vector<uint8_t>(12, 0)};
    masked.mask[0] = 1;
    masked.mask[11] = 1;
    Bytes b = buildPictureFile16({masked}, true);
    ASSERT_EQ(b.size(), 6u + 4 + 8 + 4 + 2);
    EXPECT_EQ(b[6 + 4 + 8], 12);
    EXPECT_EQ(b[6 + 4 + 8 + 2], 1);
    EXPECT_EQ(b[6 + 4 + 8 + 4], 0x80);
    EXPECT_EQ(b[6 + 4 + 8 + 5], 0x10);
}
