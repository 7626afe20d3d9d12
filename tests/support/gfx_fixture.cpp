#include "gfx_fixture.h"

#include "3-gfx/palette.h"
#include "3-gfx/scale.h"

void GfxTest::SetUp() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(640, 400, 8, 0), nullptr) << SDL_GetError();
    scaler = smoothScale;
    useMode(1);
}

void GfxTest::TearDown() {
    setColourMode(true);
    SDL_Quit();
}

void GfxTest::useMode(int video) {
    setColourMode(video == 1);
}

std::vector<int> surfacePixels(SDL_Surface *surface) {
    std::vector<int> values;
    for (int y = 0; y < surface->h; y++) {
        const Uint8 *row = (const Uint8 *)surface->pixels + y * surface->pitch;
        for (int x = 0; x < surface->w; x++) {
            values.push_back(row[x]);
        }
    }
    return values;
}

namespace {

int valueOf(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    return 0;
}

char charOf(int value) {
    if (value == 0) {
        return '.';
    }
    return value < 10 ? (char)('0' + value) : (char)('a' + value - 10);
}

} // namespace

SDL_Surface *surfaceFromRows(const std::vector<std::string> &rows,
                             const std::vector<SDL_Color> &colours) {
    int h = (int)rows.size();
    int w = h > 0 ? (int)rows[0].size() : 0;
    SDL_Surface *surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 8, 0, 0, 0, 0);
    if (!colours.empty()) {
        SDL_SetColors(surface, const_cast<SDL_Color *>(colours.data()), 0, (int)colours.size());
    }
    for (int y = 0; y < h; y++) {
        Uint8 *row = (Uint8 *)surface->pixels + y * surface->pitch;
        for (int x = 0; x < w; x++) {
            row[x] = (Uint8)valueOf(rows[y][x]);
        }
    }
    return surface;
}

std::vector<std::string> surfaceRows(SDL_Surface *surface) {
    std::vector<std::string> rows;
    for (int y = 0; y < surface->h; y++) {
        const Uint8 *row = (const Uint8 *)surface->pixels + y * surface->pitch;
        std::string text;
        for (int x = 0; x < surface->w; x++) {
            text += charOf(row[x]);
        }
        rows.push_back(text);
    }
    return rows;
}

bool hasColourKey(SDL_Surface *surface, Uint32 key) {
    return (surface->flags & SDL_SRCCOLORKEY) != 0 && surface->format->colorkey == key;
}
