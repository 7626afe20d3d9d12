#include <gtest/gtest.h>

#include <png.h>
#include <sys/stat.h>

#include "3-gfx/palette.h"
#include "3-gfx/png_file.h"
#include "test_support.h"

namespace {

const SDL_Color fourColours[4] = {
    {0, 0, 0, 0}, {0, 170, 170, 0}, {255, 0, 255, 0}, {255, 255, 255, 0}};

// An image whose pixels run through every index in a pattern that is not a repeat
// of the row width, so packing mistakes at any bit depth show.
IndexedImage patterned(int width, int height, const SDL_Color *palette, int colours) {
    IndexedImage image = makeIndexedImage(width, height, palette, colours);
    for (size_t i = 0; i < image.pixels.size(); i++) {
        image.pixels[i] = (uint8_t)((i * 7 + i / 3) % colours);
    }
    return image;
}

// An RGBA PNG written with libpng's own simple writer, independent of ours.
void writeRgba(const char *path, int width, int height, const std::vector<uint8_t> &rgba) {
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    ASSERT_TRUE(png_image_write_to_file(&image, path, 0, rgba.data(), 0, nullptr));
}

TEST(PngFile, PaletteRoundTripAtEveryBitDepth) {
    ScratchDir dir;
    for (int colours : {2, 4, 16, 200}) {
        std::vector<SDL_Color> palette(colours);
        for (int i = 0; i < colours; i++) {
            palette[i] = i < 16 ? palette16[i] : SDL_Color{(Uint8)i, (Uint8)(255 - i), 7, 0};
        }
        IndexedImage written = patterned(37, 11, palette.data(), colours);
        written.transparent.assign(colours, false);
        written.transparent[1] = true;
        std::string error;
        ASSERT_TRUE(writeIndexedPng("p.png", written, &error)) << error;
        IndexedImage read;
        std::vector<uint8_t> clear;
        ASSERT_TRUE(readPngIndexed("p.png", palette.data(), colours, &read, &clear, &error))
            << error;
        EXPECT_EQ(read.width, 37);
        EXPECT_EQ(read.height, 11);
        EXPECT_EQ(read.pixels, written.pixels) << colours << " colours";
        for (size_t i = 0; i < clear.size(); i++) {
            ASSERT_EQ(clear[i], written.pixels[i] == 1) << "pixel " << i;
        }
    }
}

TEST(PngFile, RgbPicturesAreReadByExactColour) {
    ScratchDir dir;
    // Row 0: the four colours; row 1: a see-through pixel of an odd colour.
    std::vector<uint8_t> rgba = {0,   0,   0,   255, 0,   170, 170, 255, 255, 0,  255,
                                 255, 255, 255, 255, 255, 255, 255, 255, 255, 1,  2,
                                 3,   0,   0,   170, 170, 255, 0,   0,   0,   255};
    writeRgba("rgb.png", 4, 2, rgba);
    IndexedImage read;
    std::vector<uint8_t> clear;
    std::string error;
    ASSERT_TRUE(readPngIndexed("rgb.png", fourColours, 4, &read, &clear, &error)) << error;
    EXPECT_EQ(read.pixels, (std::vector<uint8_t>{0, 1, 2, 3, 3, 0, 1, 0}));
    EXPECT_EQ(clear, (std::vector<uint8_t>{0, 0, 0, 0, 0, 1, 0, 0}));
}

TEST(PngFile, RefusalsNameThePixel) {
    ScratchDir dir;
    IndexedImage read;
    std::vector<uint8_t> clear;
    std::string error;

    std::vector<uint8_t> offPalette = {0, 0, 0, 255, 0, 0, 0, 255, 0, 171, 170, 255};
    writeRgba("off.png", 3, 1, offPalette);
    EXPECT_FALSE(readPngIndexed("off.png", fourColours, 4, &read, &clear, &error));
    EXPECT_EQ(error, "pixel (2, 0) has colour #00abaa, which is not in the 4-colour palette");

    std::vector<uint8_t> partly = {0, 0, 0, 255, 0, 0, 0, 128};
    writeRgba("partly.png", 1, 2, partly);
    EXPECT_FALSE(readPngIndexed("partly.png", fourColours, 4, &read, &clear, &error));
    EXPECT_EQ(error, "pixel (0, 1) is partly transparent (alpha 128)");

    IndexedImage sixteen = patterned(5, 5, palette16, 16);
    ASSERT_TRUE(writeIndexedPng("wide.png", sixteen, &error)) << error;
    EXPECT_FALSE(readPngIndexed("wide.png", fourColours, 4, &read, &clear, &error));
    EXPECT_EQ(error, "pixel (1, 0) has colour index 7, outside the 4-colour palette");

    writeTextFile("text.png", "not a picture at all");
    EXPECT_FALSE(readPngIndexed("text.png", fourColours, 4, &read, &clear, &error));
    EXPECT_FALSE(readPngIndexed("missing.png", fourColours, 4, &read, &clear, &error));
    EXPECT_EQ(error, "No such file or directory");
    // Only a regular file is read: a FIFO is refused without waiting for a writer.
    ASSERT_EQ(mkfifo("fifo.png", 0600), 0);
    EXPECT_FALSE(readPngIndexed("fifo.png", fourColours, 4, &read, &clear, &error));
    EXPECT_EQ(error, "not a regular file");
    mkdir("folder.png", 0700);
    EXPECT_FALSE(readPngIndexed("folder.png", fourColours, 4, &read, &clear, &error));
    EXPECT_EQ(error, "not a regular file");
}

TEST(PngFile, WriterRefusesWhatItCannotStore) {
    ScratchDir dir;
    std::string error;
    IndexedImage image = makeIndexedImage(2, 2, fourColours, 4);
    image.pixels[3] = 4;
    EXPECT_FALSE(writeIndexedPng("bad.png", image, &error));
    EXPECT_EQ(error, "colour index 4 is outside the palette");
    image.pixels[3] = 0;
    EXPECT_FALSE(writeIndexedPng("no-such-folder/x.png", image, &error));
    EXPECT_EQ(error, "No such file or directory");
    // A full disk is named as one, through a file given open, and through a path.
    FILE *full = fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    EXPECT_FALSE(writeIndexedPngTo(full, image, &error));
    EXPECT_EQ(error, "No space left on device");
    fclose(full);
    error.clear();
    EXPECT_FALSE(writeIndexedPng("/dev/full", image, &error));
    EXPECT_EQ(error, "No space left on device");
}

} // namespace
