// The browser build's own 8-bit surfaces against SDL 1.2's: the same drawing
// done on a pair of surfaces, one of each, must give the same pixels, the same
// rectangles written back and the same answers.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstring>
#include <random>
#include <vector>

#include "surface8.h"

namespace {

// One SDL surface and one of the web build's, kept equal by every set-up step.
struct Pair {
    SDL_Surface *sdl;
    SDL_Surface *web;
};

Pair makePair(int w, int h) {
    Pair p = {SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0), surface8Create(w, h, 8)};
    EXPECT_NE(p.sdl, nullptr);
    EXPECT_NE(p.web, nullptr);
    return p;
}

void freePair(Pair &p) {
    SDL_FreeSurface(p.sdl);
    surface8Free(p.web);
}

void setColors(Pair &p, const std::vector<SDL_Color> &colors, int first) {
    int a = SDL_SetColors(p.sdl, const_cast<SDL_Color *>(colors.data()), first, (int)colors.size());
    int b = surface8SetColors(p.web, colors.data(), first, (int)colors.size());
    EXPECT_EQ(a, b);
}

void fillRandom(Pair &p, std::mt19937 &random, int colours) {
    for (int y = 0; y < p.sdl->h; y++) {
        for (int x = 0; x < p.sdl->w; x++) {
            Uint8 v = (Uint8)(random() % colours);
            ((Uint8 *)p.sdl->pixels)[y * p.sdl->pitch + x] = v;
            ((Uint8 *)p.web->pixels)[y * p.web->pitch + x] = v;
        }
    }
}

std::vector<SDL_Color> randomColours(std::mt19937 &random, int count, int levels) {
    std::vector<SDL_Color> colours(count);
    for (SDL_Color &c : colours) {
        // Few levels, so that equal and near colours are common.
        c = {(Uint8)(random() % levels * 255 / (levels - 1)),
             (Uint8)(random() % levels * 255 / (levels - 1)),
             (Uint8)(random() % levels * 255 / (levels - 1)), 0};
    }
    return colours;
}

// Pixel rows compared without the padding at their ends.
void expectSamePixels(const Pair &p, const char *what) {
    ASSERT_EQ(p.sdl->pitch, p.web->pitch) << what;
    // SDL makes no pixels at all for an empty surface.
    for (int y = 0; p.sdl->w > 0 && y < p.sdl->h; y++) {
        ASSERT_EQ(memcmp((Uint8 *)p.sdl->pixels + y * p.sdl->pitch,
                         (Uint8 *)p.web->pixels + y * p.web->pitch, p.sdl->w),
                  0)
            << what << ": row " << y;
    }
}

void expectSameRect(const SDL_Rect &a, const SDL_Rect &b, const char *what) {
    EXPECT_EQ(a.x, b.x) << what;
    EXPECT_EQ(a.y, b.y) << what;
    EXPECT_EQ(a.w, b.w) << what;
    EXPECT_EQ(a.h, b.h) << what;
}

SDL_Rect randomRect(std::mt19937 &random, int around) {
    return {(Sint16)((int)(random() % (2 * around)) - around / 2),
            (Sint16)((int)(random() % (2 * around)) - around / 2), (Uint16)(random() % around),
            (Uint16)(random() % around)};
}

TEST(WebSurface, NewSurfacesAreLikeSdls) {
    for (int w : {0, 1, 3, 4, 5, 17, 640}) {
        Pair p = makePair(w, 7);
        EXPECT_EQ(p.web->pitch, p.sdl->pitch) << w;
        EXPECT_EQ(p.web->flags, p.sdl->flags) << w;
        EXPECT_EQ(p.web->format->BitsPerPixel, 8);
        EXPECT_EQ(p.web->format->BytesPerPixel, 1);
        EXPECT_EQ(p.web->format->palette->ncolors, p.sdl->format->palette->ncolors);
        EXPECT_EQ(memcmp(p.web->format->palette->colors, p.sdl->format->palette->colors,
                         256 * sizeof(SDL_Color)),
                  0);
        expectSameRect(p.sdl->clip_rect, p.web->clip_rect, "clip rectangle");
        expectSamePixels(p, "fresh pixels");
        EXPECT_EQ(SDL_MUSTLOCK(p.web), SDL_MUSTLOCK(p.sdl));
        freePair(p);
    }
    EXPECT_EQ(surface8Create(16, 16, 32), nullptr);
    EXPECT_EQ(surface8Create(-1, 16, 8), nullptr);
    EXPECT_EQ(surface8Create(16384, 1, 8), nullptr);
    SDL_Surface *widest = surface8Create(16383, 1, 8);
    EXPECT_NE(widest, nullptr);
    surface8Free(widest);
}

TEST(WebSurface, PaletteColourKeyAndColourLookUpsAnswerAsSdl) {
    std::mt19937 random(7);
    Pair p = makePair(8, 8);
    setColors(p, randomColours(random, 10, 4), 250); // past the end: only 6 taken
    setColors(p, randomColours(random, 40, 4), 0);
    EXPECT_EQ(memcmp(p.web->format->palette->colors, p.sdl->format->palette->colors,
                     256 * sizeof(SDL_Color)),
              0);
    for (int i = 0; i < 500; i++) {
        Uint8 r = (Uint8)random(), g = (Uint8)random(), b = (Uint8)random();
        ASSERT_EQ(surface8MapRGB(p.web->format, r, g, b), SDL_MapRGB(p.sdl->format, r, g, b));
        Uint32 pixel = random() % 256;
        Uint8 c[6];
        SDL_GetRGB(pixel, p.sdl->format, &c[0], &c[1], &c[2]);
        surface8GetRGB(pixel, p.web->format, &c[3], &c[4], &c[5]);
        ASSERT_EQ(memcmp(c, c + 3, 3), 0) << pixel;
    }
    EXPECT_EQ(surface8SetColorKey(p.web, SDL_SRCCOLORKEY, 5),
              SDL_SetColorKey(p.sdl, SDL_SRCCOLORKEY, 5));
    EXPECT_EQ(p.web->flags & SDL_SRCCOLORKEY, p.sdl->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(p.web->format->colorkey, p.sdl->format->colorkey);
    surface8SetColorKey(p.web, 0, 5);
    SDL_SetColorKey(p.sdl, 0, 5);
    EXPECT_EQ(p.web->flags & SDL_SRCCOLORKEY, p.sdl->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(p.web->format->colorkey, p.sdl->format->colorkey);
    freePair(p);
}

// Random blits between a source and a target with the same or different
// palettes, keyed or not, from rectangles that reach past every edge.
TEST(WebSurface, BlitsClipKeyAndMapAsSdl) {
    std::mt19937 random(11);
    for (int round = 0; round < 400; round++) {
        int sw = 1 + (int)(random() % 40), sh = 1 + (int)(random() % 40);
        Pair source = makePair(sw, sh);
        Pair target = makePair(32, 24);
        std::vector<SDL_Color> palette = randomColours(random, 16, 3);
        setColors(source, palette, 0);
        // Half the rounds draw between equal palettes, as the game does.
        setColors(target, round % 2 == 0 ? palette : randomColours(random, 16, 3), 0);
        fillRandom(source, random, 20);
        fillRandom(target, random, 16);
        if (random() % 2 == 0) {
            Uint32 key = random() % 20;
            SDL_SetColorKey(source.sdl, SDL_SRCCOLORKEY, key);
            surface8SetColorKey(source.web, SDL_SRCCOLORKEY, key);
        }
        SDL_Rect from = randomRect(random, 48);
        SDL_Rect to = randomRect(random, 48);
        SDL_Rect fromWeb = from, toWeb = to;
        bool wholeSource = random() % 4 == 0;
        int a = SDL_UpperBlit(source.sdl, wholeSource ? nullptr : &from, target.sdl, &to);
        int b = surface8Blit(source.web, wholeSource ? nullptr : &fromWeb, target.web, &toWeb);
        ASSERT_EQ(a, b) << round;
        expectSameRect(to, toWeb, "target rectangle written back");
        expectSamePixels(target, "blit");
        freePair(source);
        freePair(target);
    }
}

// The console scrolls by copying the screen onto itself, one row up.
TEST(WebSurface, OverlappingCopiesWithinOneSurfaceAsSdl) {
    std::mt19937 random(3);
    Pair p = makePair(64, 48);
    fillRandom(p, random, 16);
    for (int dy : {-16, 16, -1, 3}) {
        SDL_Rect from = {8, 16, 40, 24};
        SDL_Rect to = {8, (Sint16)(16 + dy), 0, 0};
        SDL_Rect fromWeb = from, toWeb = to;
        ASSERT_EQ(SDL_UpperBlit(p.sdl, &from, p.sdl, &to),
                  surface8Blit(p.web, &fromWeb, p.web, &toWeb));
        expectSamePixels(p, "copy within the surface");
    }
    freePair(p);
}

TEST(WebSurface, FillsClipAsSdl) {
    std::mt19937 random(5);
    Pair p = makePair(30, 20);
    for (int round = 0; round < 300; round++) {
        SDL_Rect rect = randomRect(random, 36);
        SDL_Rect rectWeb = rect;
        Uint32 colour = random() % 256;
        bool whole = round % 50 == 0;
        ASSERT_EQ(SDL_FillRect(p.sdl, whole ? nullptr : &rect, colour),
                  surface8Fill(p.web, whole ? nullptr : &rectWeb, colour));
        expectSameRect(rect, rectWeb, "filled rectangle written back");
        expectSamePixels(p, "fill");
    }
    freePair(p);
}

TEST(WebSurface, LockedSurfacesRefuseBlitsAsSdl) {
    Pair source = makePair(4, 4);
    Pair target = makePair(4, 4);
    SDL_LockSurface(target.sdl);
    surface8Lock(target.web);
    SDL_Rect to = {0, 0, 0, 0};
    SDL_Rect toWeb = to;
    EXPECT_EQ(surface8Blit(source.web, nullptr, target.web, &toWeb),
              SDL_UpperBlit(source.sdl, nullptr, target.sdl, &to));
    SDL_UnlockSurface(target.sdl);
    surface8Unlock(target.web);
    EXPECT_EQ(surface8Blit(source.web, nullptr, target.web, &toWeb),
              SDL_UpperBlit(source.sdl, nullptr, target.sdl, &to));
    freePair(source);
    freePair(target);
}

} // namespace
