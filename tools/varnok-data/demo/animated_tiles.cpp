// Painters of the tiles that the engine cycles through: fire, fountain and
// windmill (four frames each), banner, wall torch, brazier and beacon (two each).
// Colour c of the recipe is the frame number within its cycle.
#include <cmath>

#include "rng.h"
#include "tile_catalog.h"

namespace {

enum AnimatedKind {
    kindFire,
    kindFountain,
    kindWindmill,
    kindBanner,
    kindTorch,
    kindBrazier,
    kindBeacon
};

// A flame rising from (cx, base), `width` pixels wide; frame varies its tongues.
void drawFlame(Canvas &tile, int cx, int base, int width, int height, int frame) {
    for (int dx = -width / 2; dx <= width / 2; ++dx) {
        int wobble = (int)(hashNumbers(frame, dx + 8, 77) % 3);
        int h = height - std::abs(dx) * height / (width / 2 + 1) + wobble - 1;
        for (int y = 0; y < h; ++y) {
            uint8_t colour = red;
            if (y < h - 2 && std::abs(dx) < width / 3 + 1) {
                colour = yellow;
            }
            if (y < h / 3 && dx == 0) {
                colour = white;
            }
            plot(tile, cx + dx, base - y, colour);
        }
    }
    // A spark that jumps from frame to frame.
    plot(tile, cx - 2 + frame % 4, base - height - 1 - frame % 2, yellow);
}

void paintFire(Canvas &tile, int frame) {
    fillRect(tile, 0, 0, 16, 16, darkGreen);
    fillEllipse(tile, 8, 13, 6, 2.5, darkGrey);
    drawLine(tile, 3, 14, 12, 11, brown);
    drawLine(tile, 4, 11, 13, 14, brown);
    drawFlame(tile, 8, 12, 9, 9, frame);
}

void paintFountain(Canvas &tile, int frame) {
    fillRect(tile, 0, 0, 16, 16, darkGrey);
    fillEllipse(tile, 8, 11, 7.5, 4.5, lightGrey);
    fillEllipse(tile, 8, 11, 6, 3.2, blue);
    fillRect(tile, 7, 5, 2, 6, lightGrey);
    // Droplets on two arcs; each frame moves them a quarter of the way along.
    for (int k = 0; k < 4; ++k) {
        double t = (k + frame / 4.0) / 4.0;
        int x = (int)std::round(5 * t);
        int y = (int)std::round(4 - 8 * t + 10 * t * t);
        plot(tile, 8 + x, y, white);
        plot(tile, 7 - x, y, cyan);
    }
    plot(tile, 8, 3, white);
    plot(tile, 3 + frame, 11, white);
}

void paintWindmill(Canvas &tile, int frame) {
    fillRect(tile, 0, 0, 16, 16, darkGreen);
    for (int y = 7; y < 16; ++y) {
        int half = 2 + (y - 7) / 3;
        drawLine(tile, 8 - half, y, 8 + half, y, y % 3 ? lightGrey : darkGrey);
    }
    fillRect(tile, 7, 12, 2, 4, brown);
    // Four sails turned an eighth of a turn further on each frame.
    double angle = frame * 3.14159265 / 8;
    for (int s = 0; s < 4; ++s) {
        double a = angle + s * 3.14159265 / 2;
        int x = 8 + (int)std::round(7 * std::cos(a));
        int y = 6 + (int)std::round(6 * std::sin(a));
        drawLine(tile, 8, 6, x, y, brown);
        int xs = 8 + (int)std::round(5 * std::cos(a + 0.3));
        int ys = 6 + (int)std::round(4 * std::sin(a + 0.3));
        drawLine(tile, (8 + x) / 2, (6 + y) / 2, xs, ys, white);
    }
    plot(tile, 8, 6, black);
}

void paintBanner(Canvas &tile, int frame) {
    fillRect(tile, 0, 0, 16, 16, darkGreen);
    drawLine(tile, 3, 1, 3, 15, brown);
    plot(tile, 3, 0, yellow);
    for (int x = 4; x < 14; ++x) {
        int lift = (int)std::round(std::sin((x + frame * 3) * 0.8));
        for (int y = 2; y < 8; ++y) {
            plot(tile, x, y + lift, (y == 4 || y == 5) && x > 6 && x < 10 ? yellow : red);
        }
    }
}

void paintTorch(Canvas &tile, int frame) {
    fillRect(tile, 0, 0, 16, 16, lightGrey);
    for (int i = 0; i < 16; ++i) {
        plot(tile, i, 7, darkGrey);
        plot(tile, i, 15, darkGrey);
    }
    fillRect(tile, 7, 9, 2, 5, brown);
    fillRect(tile, 6, 13, 4, 1, darkGrey);
    drawFlame(tile, 8, 8, 5, 5 + frame, frame * 3 + 1);
}

void paintBrazier(Canvas &tile, int frame) {
    fillRect(tile, 0, 0, 16, 16, darkGrey);
    drawLine(tile, 4, 15, 6, 10, black);
    drawLine(tile, 11, 15, 9, 10, black);
    fillEllipse(tile, 8, 10, 5, 2, black);
    drawFlame(tile, 8, 9, 7, 6 + frame, frame * 5 + 2);
}

void paintBeacon(Canvas &tile, int frame) {
    fillRect(tile, 0, 0, 16, 16, navy);
    // Rays sweep from one diagonal pair to the other.
    if (frame == 0) {
        drawLine(tile, 0, 0, 15, 15, yellow);
        drawLine(tile, 0, 15, 15, 0, yellow);
    } else {
        drawLine(tile, 8, 0, 8, 15, yellow);
        drawLine(tile, 0, 8, 15, 8, yellow);
    }
    fillRect(tile, 4, 4, 8, 8, darkGrey);
    fillRect(tile, 5, 5, 6, 6, yellow);
    fillRect(tile, 6, 6, 4, 4, white);
}

} // namespace

void paintAnimated(Canvas &tile, const TileRecipe &recipe) {
    int frame = recipe.c;
    switch (recipe.variant) {
    case kindFire:
        paintFire(tile, frame);
        break;
    case kindFountain:
        paintFountain(tile, frame);
        break;
    case kindWindmill:
        paintWindmill(tile, frame);
        break;
    case kindBanner:
        paintBanner(tile, frame);
        break;
    case kindTorch:
        paintTorch(tile, frame);
        break;
    case kindBrazier:
        paintBrazier(tile, frame);
        break;
    default:
        paintBeacon(tile, frame);
        break;
    }
}
