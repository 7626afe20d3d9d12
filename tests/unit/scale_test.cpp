#include <gtest/gtest.h>

#include <random>

#include "3-gfx/scale.h"
#include "3-gfx/surface_pixels.h"
#include "gfx_fixture.h"

namespace {

// Index 0 black, 1 (P) red, 2 (Q) green; every other entry black as SDL leaves it.
const std::vector<SDL_Color> twoColours = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}};

typedef std::vector<std::string> Rows;

Rows smooth(const Rows &rows, int bands = 1) {
    SDL_Surface *source = surfaceFromRows(rows, twoColours);
    SDL_Surface *enlarged = smoothScale(source, 2, bands);
    Rows result = surfaceRows(enlarged);
    SDL_FreeSurface(source);
    SDL_FreeSurface(enlarged);
    return result;
}

class Scale2x : public GfxTest {};

TEST_F(Scale2x, OnePixelBecomesAUniformBlock) {
    EXPECT_EQ(smooth({"2"}), (Rows{"22", "22"}));
}

TEST_F(Scale2x, FillsTheStepOfADiagonal) {
    EXPECT_EQ(smooth({"1111", "1211", "1121", "1111"}),
              (Rows{"11111111", "11111111", "11221111", "11222111", "11122211", "11112211",
                    "11111111", "11111111"}));
}

TEST_F(Scale2x, ClampsNeighboursAtTheBorder) {
    EXPECT_EQ(smooth({"211", "121", "112"}),
              (Rows{"221111", "212111", "122211", "112221", "111212", "111122"}));
}

TEST_F(Scale2x, LonePixelStaysASquare) {
    EXPECT_EQ(smooth({"111", "121", "111"}),
              (Rows{"111111", "111111", "112211", "112211", "111111", "111111"}));
}

TEST_F(Scale2x, EqualColoursComeOutAsTheLowestIndex) {
    // Index 17 is black like index 0: smoothing maps it to 0, replication keeps it.
    SDL_Surface *source = surfaceFromRows({"hh", "h."}, twoColours);
    SDL_Surface *smoothed = smoothScale(source, 2, 1);
    SDL_Surface *replicated = replicateScale(source, 2, 1);
    EXPECT_EQ(surfaceRows(smoothed), (Rows{"....", "....", "....", "...."}));
    EXPECT_EQ(surfaceRows(replicated), (Rows{"hhhh", "hhhh", "hh..", "hh.."}));
    EXPECT_EQ(smoothed->format->palette->colors[1].r, 255); // the palette travels along
    SDL_FreeSurface(source);
    SDL_FreeSurface(smoothed);
    SDL_FreeSurface(replicated);
}

TEST_F(Scale2x, BandsClampAtTheirLastRowAndLeaveTheRestZero) {
    // Two bands of one row each over three rows: row 2 is not processed, and each
    // band's row is its own lower neighbour, while the row above still counts.
    EXPECT_EQ(smooth({"12", "21", "22"}, 2),
              (Rows{"1122", "1122", "2121", "2211", "....", "...."}));
    EXPECT_EQ(smooth({"12", "21", "22"}, 1),
              (Rows{"1122", "1212", "2111", "2211", "2222", "2222"}));
}

TEST_F(Scale2x, FastPathMatchesTheLiteralEnlarger) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; round++) {
        int w = 1 + random() % 45; // past 16 and 32: the 16-pixel steps and their tails
        int h = 1 + random() % 11;
        // Few colours, some entries sharing a colour, so that equal-colour cases occur.
        std::vector<SDL_Color> colours(20);
        for (SDL_Color &c : colours) {
            c = {(Uint8)(random() % 2 * 255), (Uint8)(random() % 2 * 255), 0, 0};
        }
        Rows rows(h, std::string(w, '.'));
        for (std::string &row : rows) {
            for (char &c : row) {
                c = "0123456789abcdefghijk"[random() % 21];
            }
        }
        int bands = 1 + round % 3;
        SDL_Surface *source = surfaceFromRows(rows, colours);
        SDL_Surface *fast = smoothScale(source, 2, bands);
        SDL_Surface *literal = smoothScaleLiteral(source, 2, bands);
        ASSERT_EQ(surfaceRows(fast), surfaceRows(literal)) << "round " << round;
        SDL_FreeSurface(source);
        SDL_FreeSurface(fast);
        SDL_FreeSurface(literal);
    }
}

TEST_F(Scale2x, WorksOnThirtyTwoBitSurfacesByColour) {
    SDL_Surface *source = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xff0000, 0xff00, 0xff, 0);
    Uint32 p = SDL_MapRGB(source->format, 10, 20, 30);
    Uint32 q = SDL_MapRGB(source->format, 200, 100, 0);
    putPixel(source, 0, 0, q);
    putPixel(source, 1, 0, p);
    putPixel(source, 0, 1, p);
    putPixel(source, 1, 1, q);
    SDL_Surface *enlarged = smoothScale(source, 2, 1);
    ASSERT_EQ(enlarged->w, 4);
    // Pixel (1, 0) is P with Q to its left and below: its lower-left output is Q.
    EXPECT_EQ(readPixel(enlarged, 2, 1), q);
    EXPECT_EQ(readPixel(enlarged, 3, 0), p);
    SDL_FreeSurface(source);
    SDL_FreeSurface(enlarged);
}

class ScaleSurface : public GfxTest {};

TEST_F(ScaleSurface, FactorOneReturnsTheSameSurface) {
    SDL_Surface *source = surfaceFromRows({"12"}, twoColours);
    EXPECT_EQ(scaleSurface(source, 1, 1, 1), source);
    EXPECT_EQ(surfaceRows(source), (Rows{"12"}));
    SDL_FreeSurface(source);
}

TEST_F(ScaleSurface, SmoothOnlyWhenAskedAndWhenTheSlotIsSet) {
    const Rows diagonal = {"21", "12"};
    SDL_Surface *plain = scaleSurface(surfaceFromRows(diagonal, twoColours), 2, 1, 0);
    EXPECT_EQ(surfaceRows(plain), (Rows{"2211", "2211", "1122", "1122"}));
    SDL_Surface *smoothed = scaleSurface(surfaceFromRows(diagonal, twoColours), 2, 1, 1);
    EXPECT_EQ(surfaceRows(smoothed), smooth(diagonal));
    scaler = nullptr;
    SDL_Surface *unset = scaleSurface(surfaceFromRows(diagonal, twoColours), 2, 1, 1);
    EXPECT_EQ(surfaceRows(unset), surfaceRows(plain));
    SDL_FreeSurface(plain);
    SDL_FreeSurface(smoothed);
    SDL_FreeSurface(unset);
}

TEST_F(ScaleSurface, FactorsFourThreeAndSix) {
    SDL_Surface *four = scaleSurface(surfaceFromRows({"2"}, twoColours), 4, 1, 1);
    EXPECT_EQ(four->w, 4);
    EXPECT_EQ(four->h, 4);
    SDL_Surface *three = scaleSurface(surfaceFromRows({"h1"}, twoColours), 3, 1, 1);
    EXPECT_EQ(surfaceRows(three), (Rows{"hhh111", "hhh111", "hhh111"}));
    // Six is one smoothing step (17 becomes 0), then replication by three.
    SDL_Surface *six = scaleSurface(surfaceFromRows({"h"}, twoColours), 6, 1, 1);
    EXPECT_EQ(six->w, 6);
    EXPECT_EQ(surfacePixels(six), std::vector<int>(36, 0));
    SDL_FreeSurface(four);
    SDL_FreeSurface(three);
    SDL_FreeSurface(six);
}

TEST_F(ScaleSurface, NoSurfaceForFactorsBelowOneOrTooLarge) {
    EXPECT_EQ(scaleSurface(surfaceFromRows({"1"}, twoColours), 0, 1, 1), nullptr);
    EXPECT_EQ(scaleSurface(surfaceFromRows({"1"}, twoColours), -2, 1, 1), nullptr);
    EXPECT_EQ(scaleSurface(surfaceFromRows({"1"}, twoColours), 100001, 1, 1), nullptr);
    EXPECT_EQ(scaleSurface(nullptr, 2, 1, 1), nullptr);
}

TEST(PutPixel, WritesEveryPixelSizeLowByteFirst) {
    struct {
        int bits;
        Uint32 mask;
    } formats[] = {{8, 0}, {16, 0xf800}, {24, 0xff0000}, {32, 0xff0000}};
    for (const auto &f : formats) {
        SDL_Surface *s = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, f.bits, f.mask, 0, 0, 0);
        ASSERT_NE(s, nullptr);
        Uint32 value = 0x00a1b2c3 & (f.bits == 32 ? 0xffffffff : (1u << f.bits) - 1);
        putPixel(s, 2, 1, value);
        EXPECT_EQ(readPixel(s, 2, 1), value) << f.bits;
        const Uint8 *at = (const Uint8 *)s->pixels + s->pitch + 2 * s->format->BytesPerPixel;
        EXPECT_EQ(at[0], value & 0xff) << f.bits;
        EXPECT_EQ(readPixel(s, 1, 1), 0u) << f.bits;
        SDL_FreeSurface(s);
    }
}

} // namespace
