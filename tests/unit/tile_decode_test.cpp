#include <gtest/gtest.h>

#include "3-gfx/palette.h"
#include "3-gfx/scale.h"
#include "3-gfx/tile_decode.h"
#include "gfx_fixture.h"

namespace {

typedef std::vector<std::string> Rows;

class TileDecode : public GfxTest {};

TEST_F(TileDecode, FourColourBytesUnpackLeftmostPixelHighest) {
    uint8_t bytes[tileBytes4] = {};
    bytes[0] = 0x1B;
    bytes[4 * 15 + 3] = 0xC0; // row 15, byte 3: pixel 12 is 3
    SDL_Surface *tile = decodeTile4(bytes);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->w, 16);
    std::vector<int> pixels = surfacePixels(tile);
    EXPECT_EQ(std::vector<int>(pixels.begin(), pixels.begin() + 5),
              (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(pixels[15 * 16 + 12], 3);
    EXPECT_EQ(tile->format->palette->colors[2].r, 255); // palette4 entry 2 is (255, 0, 255)
    EXPECT_EQ(tile->format->palette->colors[2].g, 0);
    SDL_FreeSurface(tile);
}

TEST_F(TileDecode, SixteenColourBytesUnpackHighNibbleFirst) {
    useMode(0);
    uint8_t bytes[tileBytes16] = {};
    bytes[8 + 7] = 0x5A; // row 1, last byte
    SDL_Surface *tile = decodeTile16(bytes);
    ASSERT_NE(tile, nullptr);
    std::vector<int> pixels = surfacePixels(tile);
    EXPECT_EQ(pixels[16 + 14], 5);
    EXPECT_EQ(pixels[16 + 15], 10);
    EXPECT_EQ(tile->format->palette->colors[6].r, 160);
    SDL_FreeSurface(tile);
}

TEST(TileAnimClass, MembershipLists) {
    const struct {
        int tile;
        int32_t animClass;
    } cases[] = {{0, still},        {1, scrolling},    {3, scrolling},    {4, still},
                 {142, still},      {143, scrolling},  {144, still},      {52, overlay},
                 {55, overlay},     {56, still},       {96, overlay},     {111, overlay},
                 {112, still},      {228, overlay},    {231, overlay},    {212, cycleNext},
                 {214, cycleNext},  {215, cycleBack3}, {219, cycleBack3}, {239, cycleBack3},
                 {250, cycleNext},  {251, cycleBack1}, {128, cycleNext},  {129, cycleBack1},
                 {131, cycleBack1}, {132, still},      {255, still}};
    for (const auto &c : cases) {
        EXPECT_EQ(tileAnimClass(c.tile), c.animClass) << "tile " << c.tile;
    }
    // Every cycle closes: stepping from its first tile comes back to it.
    const int cycleStarts[] = {212, 216, 236, 250, 252, 128, 130};
    for (int start : cycleStarts) {
        int tile = start;
        for (int steps = 0; steps < 4; steps++) {
            int32_t c = tileAnimClass(tile);
            tile += c == cycleNext ? 1 : c == cycleBack3 ? -3 : c == cycleBack1 ? -1 : 0;
            if (tile == start) {
                break;
            }
        }
        EXPECT_EQ(tile, start) << "cycle from " << start;
    }
}

SDL_Surface *filledTile(Uint8 value) {
    SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, 32, 32, 8, 0, 0, 0, 0);
    SDL_FillRect(s, nullptr, value);
    return s;
}

int pixelAt(SDL_Surface *s, int x, int y) {
    return ((Uint8 *)s->pixels)[y * s->pitch + x];
}

TEST_F(TileDecode, DiagonalCutsKeepTheirDiagonal) {
    const struct {
        int mode;
        int keptX[3];
        int keptY[3];
        int cutX, cutY;
    } cases[] = {
        {cutUpperLeft, {31, 0, 31}, {0, 31, 31}, 0, 0},
        {cutUpperRight, {0, 31, 0}, {0, 31, 31}, 31, 0},
        {cutLowerRight, {0, 31, 0}, {0, 0, 31}, 31, 31},
        {cutLowerLeft, {0, 31, 31}, {0, 0, 31}, 0, 31},
    };
    for (const auto &c : cases) {
        SDL_Surface *s = filledTile(2);
        cutTile(s, nullptr, c.mode, 5);
        EXPECT_EQ(pixelAt(s, c.cutX, c.cutY), 5) << "mode " << c.mode;
        for (int i = 0; i < 3; i++) {
            EXPECT_EQ(pixelAt(s, c.keptX[i], c.keptY[i]), 2) << "mode " << c.mode;
        }
        int cut = 0;
        for (int v : surfacePixels(s)) {
            cut += v == 5;
        }
        EXPECT_EQ(cut, 32 * 31 / 2) << "mode " << c.mode; // all but the diagonal's half
        SDL_FreeSurface(s);
    }
    SDL_Surface *s = filledTile(2);
    cutTile(s, nullptr, 9, 5);
    EXPECT_EQ(surfacePixels(s), std::vector<int>(32 * 32, 2));
    SDL_FreeSurface(s);
}

TEST_F(TileDecode, OverlayTilesAreCutAndKeyedAndNoOthers) {
    TileEntry tiles[256] = {};
    for (int t = 0; t < 256; t++) {
        tiles[t].surface = filledTile((Uint8)(t % 4));
    }
    // Mask tile 112: a pattern with zeros and non-zeros.
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) {
            ((Uint8 *)tiles[112].surface->pixels)[y * tiles[112].surface->pitch + x] =
                (Uint8)((x * y) % 3);
        }
    }
    SDL_FreeSurface(tiles[96].surface);
    tiles[96].surface = filledTile(3);
    cutOverlayTiles(tiles, 17);
    int keyed = 0;
    for (int t = 0; t < 256; t++) {
        bool cut = (t >= 52 && t <= 55) || (t >= 228 && t <= 231) || (t >= 96 && t <= 111);
        EXPECT_EQ(hasColourKey(tiles[t].surface, 17), cut) << "tile " << t;
        keyed += (tiles[t].surface->flags & SDL_SRCCOLORKEY) != 0;
    }
    EXPECT_EQ(keyed, 24);
    for (int y = 0; y < 32; y++) {
        for (int x = 0; x < 32; x++) {
            int expected = (x * y) % 3 != 0 ? 17 : 3;
            ASSERT_EQ(pixelAt(tiles[96].surface, x, y), expected) << x << "," << y;
            ASSERT_EQ(pixelAt(tiles[112].surface, x, y), (x * y) % 3);
        }
    }
    EXPECT_EQ(pixelAt(tiles[228].surface, 31, 31), 17); // lower-right cut
    EXPECT_EQ(pixelAt(tiles[228].surface, 0, 0), 0);
    for (TileEntry &entry : tiles) {
        SDL_FreeSurface(entry.surface);
    }
}

} // namespace
