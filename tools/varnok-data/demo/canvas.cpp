#include "canvas.h"

#include <cmath>
#include <cstdlib>

namespace {

// Which of black, cyan, magenta and white each 16-colour index becomes: blues and
// greens go to cyan, reds and browns to magenta, light tones to white, so that
// features drawn with contrasting 16-colour tones keep a contrast in 4 colours.
const uint8_t fourOfSixteen[16] = {0, 1, 0, 1, 2, 2, 2, 3, 1, 1, 1, 1, 2, 2, 3, 3};

const int bayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

Canvas makeCanvas(int width, int height, uint8_t colour) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.pixels.assign((size_t)width * height, colour);
    return canvas;
}

uint8_t fourColour(uint8_t colour16) {
    return fourOfSixteen[colour16 & 15];
}

uint8_t pixelAt(const Canvas &canvas, int x, int y) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) {
        return 0;
    }
    return canvas.pixels[(size_t)y * canvas.width + x];
}

void plot(Canvas &canvas, int x, int y, uint8_t colour) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) {
        return;
    }
    canvas.pixels[(size_t)y * canvas.width + x] = colour;
}

void fillRect(Canvas &canvas, int x, int y, int w, int h, uint8_t colour) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            plot(canvas, i, j, colour);
        }
    }
}

void drawLine(Canvas &canvas, int x0, int y0, int x1, int y1, uint8_t colour) {
    int dx = std::abs(x1 - x0);
    int dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1;
    int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
        plot(canvas, x0, y0, colour);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void fillEllipse(Canvas &canvas, double cx, double cy, double rx, double ry, uint8_t colour) {
    if (rx <= 0 || ry <= 0) {
        return;
    }
    for (int y = (int)std::floor(cy - ry); y <= (int)std::ceil(cy + ry); ++y) {
        for (int x = (int)std::floor(cx - rx); x <= (int)std::ceil(cx + rx); ++x) {
            double u = (x + 0.5 - cx) / rx;
            double v = (y + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0) {
                plot(canvas, x, y, colour);
            }
        }
    }
}

void fillDisc(Canvas &canvas, double cx, double cy, double r, uint8_t colour) {
    fillEllipse(canvas, cx, cy, r, r, colour);
}

int bayerLevel(int x, int y) {
    return bayer4[y & 3][x & 3];
}

void ditherRect(Canvas &canvas, int x, int y, int w, int h, uint8_t from, uint8_t to, int level) {
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            plot(canvas, i, j, bayerLevel(i, j) < level ? to : from);
        }
    }
}

void drawTemplate(Canvas &canvas, int x, int y, const char *const *rows, int rowCount) {
    for (int j = 0; j < rowCount; ++j) {
        for (int i = 0; rows[j][i] != '\0'; ++i) {
            int value = hexValue(rows[j][i]);
            if (value >= 0) {
                plot(canvas, x + i, y + j, (uint8_t)value);
            }
        }
    }
}

void pasteCanvas(Canvas &target, const Canvas &source, int x, int y, int skip) {
    for (int j = 0; j < source.height; ++j) {
        for (int i = 0; i < source.width; ++i) {
            uint8_t colour = source.pixels[(size_t)j * source.width + i];
            if (colour != skip) {
                plot(target, x + i, y + j, colour);
            }
        }
    }
}
