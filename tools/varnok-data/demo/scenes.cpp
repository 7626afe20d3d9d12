#include "scenes.h"

#include <cmath>

#include "4-data/text_font.h"
#include "noise.h"
#include "rng.h"

namespace {

const int sceneWidth = 320;
const int sceneHeight = 200;

// A vertical blend through `count` colours between rows top and bottom, with an
// ordered dither across each boundary.
void skyGradient(Canvas &c, int top, int bottom, const uint8_t *colours, int count) {
    int span = bottom - top;
    for (int y = top; y < bottom; ++y) {
        double t = (double)(y - top) / span * (count - 1);
        int band = std::min((int)t, count - 2);
        int level = (int)((t - band) * 17);
        for (int x = 0; x < c.width; ++x) {
            plot(c, x, y, bayerLevel(x, y) < level ? colours[band + 1] : colours[band]);
        }
    }
}

// Land below a noise-shaped skyline: rows from the line down to `bottom`.
void skyline(Canvas &c, uint32_t seed, int base, int amplitude, double cell, uint8_t colour,
             int bottom) {
    for (int x = 0; x < c.width; ++x) {
        int top = base - (int)(amplitude * fractalNoise(seed, x, 0, cell, 4));
        for (int y = top; y < bottom; ++y) {
            plot(c, x, y, colour);
        }
    }
}

void stars(Canvas &c, Rng &rng, int count, int bottom) {
    for (int k = 0; k < count; ++k) {
        plot(c, randomBelow(rng, c.width), randomBelow(rng, bottom), k % 5 ? white : yellow);
    }
}

void cloud(Canvas &c, Rng &rng, int cx, int cy, uint8_t colour) {
    for (int k = 0; k < 6; ++k) {
        fillEllipse(c, cx + randomBetween(rng, -24, 24), cy + randomBetween(rng, -4, 4),
                    randomBetween(rng, 10, 20), randomBetween(rng, 4, 8), colour);
    }
}

void castle(Canvas &c, int x, int ground, int scale, uint8_t wall, uint8_t dark) {
    int w = 60 * scale / 2, h = 30 * scale / 2;
    fillRect(c, x, ground - h, w, h, wall);
    for (int i = 0; i < w; i += 6) {
        fillRect(c, x + i, ground - h - 4, 3, 4, wall);
    }
    for (int side = 0; side < 2; ++side) {
        int tx = side ? x + w - 12 : x - 2;
        fillRect(c, tx, ground - h - 18, 14, h + 18, wall);
        for (int i = 0; i < 14; i += 5) {
            fillRect(c, tx + i, ground - h - 22, 3, 4, wall);
        }
        fillRect(c, tx + 5, ground - h - 10, 3, 5, dark);
    }
    fillRect(c, x + w / 2 - 6, ground - 14, 12, 14, dark);
    fillEllipse(c, x + w / 2, ground - 14, 6, 4, dark);
}

void lighthouse(Canvas &c, int x, int ground, uint8_t lamp) {
    for (int y = 0; y < 70; ++y) {
        int half = 6 + y / 10;
        uint8_t colour = ((y / 10) % 2) ? red : white;
        drawLine(c, x - half, ground - 70 + y, x + half, ground - 70 + y, colour);
    }
    fillRect(c, x - 7, ground - 82, 14, 12, darkGrey);
    fillRect(c, x - 4, ground - 80, 8, 8, lamp);
    drawLine(c, x + 6, ground - 76, x + 60, ground - 90, lamp);
    drawLine(c, x + 6, ground - 75, x + 60, ground - 84, lamp);
}

void ship(Canvas &c, int x, int y, uint8_t sail) {
    for (int i = 0; i < 10; ++i) {
        drawLine(c, x - 30 + i, y + i, x + 30 - i, y + i, brown);
    }
    drawLine(c, x, y - 40, x, y, black);
    for (int i = 0; i < 30; ++i) {
        drawLine(c, x + 2, y - 38 + i, x + 2 + i * 2 / 3, y - 38 + i, sail);
        drawLine(c, x - 2 - i / 2, y - 34 + i, x - 2, y - 34 + i, sail);
    }
    plot(c, x, y - 41, red);
}

void house(Canvas &c, int x, int ground, uint8_t wall, uint8_t roof, bool lit) {
    fillRect(c, x, ground - 12, 16, 12, wall);
    for (int i = 0; i < 9; ++i) {
        drawLine(c, x - 2 + i, ground - 12 - i, x + 17 - i, ground - 12 - i, roof);
    }
    fillRect(c, x + 4, ground - 8, 3, 3, lit ? yellow : black);
    fillRect(c, x + 10, ground - 7, 3, 7, black);
}

void tree(Canvas &c, int x, int ground, int size, uint8_t leaves) {
    fillRect(c, x - 1, ground - size, 3, size, brown);
    fillDisc(c, x, ground - size, size * 0.6, leaves);
}

void waterBand(Canvas &c, Rng &rng, int top, int bottom, uint8_t base, uint8_t light) {
    fillRect(c, 0, top, c.width, bottom - top, base);
    for (int k = 0; k < (bottom - top) * 4; ++k) {
        int x = randomBelow(rng, c.width);
        int y = randomBetween(rng, top, bottom - 1);
        drawLine(c, x, y, x + randomBetween(rng, 3, 12), y, light);
    }
}

void paintMeadow(Canvas &c, uint32_t seed, Rng &rng) {
    const uint8_t sky[] = {blue, cyan, white};
    skyGradient(c, 0, 120, sky, 3);
    for (int k = 0; k < 4; ++k) {
        cloud(c, rng, randomBetween(rng, 20, 300), randomBetween(rng, 15, 60), white);
    }
    skyline(c, seed, 110, 40, 90, lightGrey, 200);
    skyline(c, seed + 1, 140, 30, 70, green, 200);
    skyline(c, seed + 2, 170, 20, 50, darkGreen, 200);
    castle(c, 40 + (int)(seed % 160), 126, 2, lightGrey, darkGrey);
    for (int k = 0; k < 12; ++k) {
        tree(c, randomBetween(rng, 0, 319), randomBetween(rng, 175, 199), randomBetween(rng, 6, 12),
             k % 2 ? green : darkGreen);
    }
}

void paintSeaside(Canvas &c, uint32_t seed, Rng &rng) {
    const uint8_t sky[] = {navy, blue, cyan};
    skyGradient(c, 0, 110, sky, 3);
    cloud(c, rng, 80, 30, lightGrey);
    cloud(c, rng, 230, 45, white);
    waterBand(c, rng, 110, 200, blue, cyan);
    // A cape on the right: grass over a strip of beach.
    for (int x = 180; x < 320; ++x) {
        int top = 150 - (int)(30 * fractalNoise(seed, x, 0, 60, 4) * (x - 180) / 140.0);
        fillRect(c, x, top, 1, 200 - top, darkGreen);
        fillRect(c, x, 190 - (x - 180) / 10, 1, 12, yellow);
    }
    lighthouse(c, 250, 150, yellow);
    ship(c, 60 + (int)(seed % 80), 135, white);
}

void paintNight(Canvas &c, uint32_t seed, Rng &rng) {
    const uint8_t sky[] = {black, navy, purple};
    skyGradient(c, 0, 140, sky, 3);
    stars(c, rng, 140, 110);
    fillDisc(c, 250, 40, 16, white);
    fillDisc(c, 256, 36, 14, pixelAt(c, 280, 36));
    skyline(c, seed, 120, 50, 80, darkGrey, 200);
    skyline(c, seed + 3, 160, 20, 40, black, 200);
    for (int k = 0; k < 7; ++k) {
        house(c, 30 + k * 38 + randomBelow(rng, 10), 186, darkGrey, darkRed, k % 2 == 0);
    }
}

void paintSunset(Canvas &c, uint32_t seed, Rng &rng) {
    const uint8_t sky[] = {purple, red, yellow};
    skyGradient(c, 0, 120, sky, 3);
    fillDisc(c, 160, 118, 26, yellow);
    skyline(c, seed, 120, 35, 70, darkRed, 130);
    waterBand(c, rng, 130, 200, darkRed, red);
    for (int y = 132; y < 200; y += 3) {
        int half = 6 + (y - 130) / 3;
        drawLine(c, 160 - half, y, 160 + half, y, yellow);
    }
    castle(c, 30, 130, 1, black, black);
}

void paintMountainsScene(Canvas &c, uint32_t seed, Rng &rng) {
    const uint8_t sky[] = {cyan, white};
    skyGradient(c, 0, 100, sky, 2);
    (void)rng;
    skyline(c, seed, 100, 70, 60, white, 200);
    skyline(c, seed + 1, 130, 60, 50, lightGrey, 200);
    skyline(c, seed + 2, 160, 50, 45, darkGrey, 200);
    skyline(c, seed + 3, 190, 30, 35, darkGreen, 200);
}

void paintDungeon(Canvas &c, uint32_t seed, Rng &rng) {
    fillRect(c, 0, 0, 320, 200, black);
    (void)seed;
    // Vaulted arches receding into the dark.
    for (int depth = 0; depth < 5; ++depth) {
        int inset = depth * 26;
        uint8_t stone = depth < 2 ? lightGrey : darkGrey;
        fillRect(c, inset, inset / 2, 320 - 2 * inset, 200 - inset, stone);
        fillRect(c, inset + 20, inset / 2 + 30, 280 - 2 * inset, 170 - inset, black);
        fillEllipse(c, 160, inset / 2 + 30, 140 - inset, 26 - depth * 3, black);
    }
    for (int side = 0; side < 2; ++side) {
        int x = side ? 270 : 50;
        fillRect(c, x - 4, 120, 8, 30, darkGrey);
        fillEllipse(c, x, 118, 10, 4, black);
        for (int k = 0; k < 40; ++k) {
            plot(c, x + randomBetween(rng, -6, 6), 116 - randomBelow(rng, 16),
                 k % 3 ? red : yellow);
        }
    }
}

void paintParchment(Canvas &c, uint32_t seed, Rng &rng) {
    fillRect(c, 0, 0, 320, 200, black);
    for (int y = 10; y < 190; ++y) {
        for (int x = 20; x < 300; ++x) {
            double n = fractalNoise(seed, x, y, 32, 3);
            plot(c, x, y, bayerLevel(x, y) < (int)(n * 10) ? yellow : white);
        }
    }
    for (int side = 0; side < 2; ++side) {
        int y = side ? 182 : 4;
        fillRect(c, 12, y, 296, 14, brown);
        drawLine(c, 12, y + 3, 307, y + 3, yellow);
    }
    for (int k = 0; k < 30; ++k) {
        plot(c, randomBetween(rng, 24, 296), randomBetween(rng, 20, 180), brown);
    }
}

void paintTitle(Canvas &c, uint32_t seed, Rng &rng) {
    const uint8_t sky[] = {navy, purple, red, yellow};
    skyGradient(c, 0, 140, sky, 4);
    stars(c, rng, 40, 40);
    fillDisc(c, 160, 140, 34, yellow);
    skyline(c, seed, 140, 40, 70, black, 200);
    drawBigText(c, 64 + 4, 40 + 4, "VARNOK V", 4, black);
    drawBigText(c, 64, 40, "VARNOK V", 4, white);
    drawBigText(c, 96, 170, "a demo world", 1, lightGrey);
}

} // namespace

void drawBigText(Canvas &canvas, int x, int y, const char *text, int scale, uint8_t colour) {
    static const std::vector<uint8_t> font = textFontBits();
    for (int i = 0; text[i] != '\0'; ++i) {
        int glyph = (unsigned char)text[i] & 127;
        for (int row = 0; row < 8; ++row) {
            for (int col = 0; col < 8; ++col) {
                if (font[(size_t)glyph * 64 + row * 8 + col]) {
                    fillRect(canvas, x + (i * 8 + col) * scale, y + row * scale, scale, scale,
                             colour);
                }
            }
        }
    }
}

Canvas paintScene(int kind, uint32_t seed) {
    Canvas c = makeCanvas(sceneWidth, sceneHeight, black);
    Rng rng = makeRng(seed * 13 + kind);
    switch (kind) {
    case sceneMeadow:
        paintMeadow(c, seed, rng);
        break;
    case sceneSeaside:
        paintSeaside(c, seed, rng);
        break;
    case sceneNight:
        paintNight(c, seed, rng);
        break;
    case sceneSunset:
        paintSunset(c, seed, rng);
        break;
    case sceneMountains:
        paintMountainsScene(c, seed, rng);
        break;
    case sceneDungeon:
        paintDungeon(c, seed, rng);
        break;
    case sceneParchment:
        paintParchment(c, seed, rng);
        break;
    default:
        paintTitle(c, seed, rng);
        break;
    }
    return c;
}

Canvas paintCorridor(int size, int layout) {
    Canvas c = makeCanvas(size, size, black);
    // Each step into the distance shrinks the frame by an eighth on each side.
    for (int depth = 0; depth < 3; ++depth) {
        int outer = size * depth / 8;
        int inner = size * (depth + 1) / 8;
        uint8_t stone = depth == 0 ? lightGrey : (depth == 1 ? darkGrey : navy);
        bool openLeft = (layout >> depth) & 1;
        bool openRight = (layout >> (depth + 3)) & 1;
        for (int y = outer; y < size - outer; ++y) {
            for (int x = outer; x < inner; ++x) {
                int along = x - outer;
                bool wall = y >= outer + along && y < size - outer - along;
                if (wall && !openLeft) {
                    plot(c, x, y, (y / 6 + x / 10) % 5 == 0 ? black : stone);
                }
                if (wall && !openRight) {
                    plot(c, size - 1 - x, y, (y / 6 + x / 10) % 5 == 0 ? black : stone);
                }
            }
        }
        // Floor and ceiling bands at this depth.
        for (int y = outer; y < inner; ++y) {
            int along = y - outer;
            drawLine(c, outer + along, size - 1 - y, size - 1 - outer - along, size - 1 - y, brown);
            drawLine(c, outer + along, y, size - 1 - outer - along, y, darkGrey);
        }
    }
    // What lies at the end: darkness, a door or a wall.
    int end = size * 3 / 8;
    if (layout % 3 == 1) {
        fillRect(c, end, end, size - 2 * end, size - 2 * end, brown);
        fillRect(c, size / 2 - 1, end, 2, size - 2 * end, darkRed);
    } else if (layout % 3 == 2) {
        fillRect(c, end, end, size - 2 * end, size - 2 * end, darkGrey);
    }
    return c;
}
