#include "creatures.h"

#include <cmath>

#include "noise.h"
#include "rng.h"

namespace {

const uint8_t bodyColours[][3] = {
    {darkGreen, green, yellow}, {darkRed, red, yellow},   {purple, magenta, white},
    {navy, blue, cyan},         {brown, yellow, white},   {darkGrey, lightGrey, white},
    {teal, cyan, white},        {darkRed, brown, yellow},
};

// The mask is 1 wherever the picture has no body pixel.
Canvas maskOf(const Canvas &picture, uint8_t background) {
    Canvas mask = makeCanvas(picture.width, picture.height, 0);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        mask.pixels[i] = picture.pixels[i] == background ? 1 : 0;
    }
    return mask;
}

// Black outline around every body pixel that touches the background.
void outline(Canvas &c, uint8_t background, uint8_t ink) {
    Canvas before = c;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            if (pixelAt(before, x, y) != background) {
                continue;
            }
            bool touches = false;
            for (int d = 0; d < 4; ++d) {
                int nx = x + (d == 0) - (d == 1), ny = y + (d == 2) - (d == 3);
                bool inside = nx >= 0 && ny >= 0 && nx < c.width && ny < c.height;
                touches = touches || (inside && pixelAt(before, nx, ny) != background);
            }
            if (touches) {
                plot(c, x, y, ink);
            }
        }
    }
}

} // namespace

MaskedArt paintMonster(int size, uint32_t seed) {
    // While painting, the background is the non-colour 16, so that the black
    // outline stays part of the creature; it becomes 0 once the mask is taken.
    const uint8_t none = 16;
    Canvas c = makeCanvas(size, size, none);
    Rng rng = makeRng(seed);
    const uint8_t *tones = bodyColours[randomBelow(rng, 8)];
    double half = size / 2.0;
    double stretch = 0.7 + randomBelow(rng, 60) / 100.0;
    for (int y = 1; y < size - 1; ++y) {
        for (int x = 1; x < (int)half + 1; ++x) {
            // Distance from the centre, squashed or stretched, shaped by noise.
            double dx = (half - x) / half;
            double dy = (y - half) / half * stretch;
            double n = fractalNoise(seed, x, y, size / 4.0, 3);
            if (dx * dx + dy * dy < 0.55 * n + 0.12) {
                int shade = y < size / 3 ? 2 : (y < size * 2 / 3 ? 1 : 0);
                uint8_t colour = tones[shade];
                if (fractalNoise(seed + 5, x, y, size / 8.0, 2) > 0.68) {
                    colour = tones[(shade + 1) % 3];
                }
                plot(c, x, y, colour);
                plot(c, size - 1 - x, y, colour);
            }
        }
    }
    // Eyes in the upper part of the body.
    int eyeY = size / 3 + randomBelow(rng, size / 8 + 1);
    int eyeX = size / 2 - size / 8;
    for (int side = 0; side < 2; ++side) {
        int x = side ? size - 1 - eyeX : eyeX;
        fillDisc(c, x, eyeY, size / 16.0 + 1, white);
        fillDisc(c, x, eyeY, size / 32.0 + 0.6, red);
    }
    // A mouth of teeth below the eyes.
    int mouthY = eyeY + size / 6;
    for (int x = size / 2 - size / 8; x <= size / 2 + size / 8; ++x) {
        plot(c, x, mouthY, darkRed);
        if (x % 3 == 0) {
            plot(c, x, mouthY + 1, white);
        }
    }
    outline(c, none, black);
    MaskedArt art;
    art.mask = maskOf(c, none);
    for (uint8_t &pixel : c.pixels) {
        pixel = pixel == none ? black : pixel;
    }
    art.picture = c;
    return art;
}

MaskedArt paintItem(int index) {
    Canvas c = makeCanvas(32, 32, black);
    const uint8_t metals[2][2] = {{lightGrey, white}, {yellow, white}};
    const uint8_t *metal = metals[(index / 12) % 2];
    uint8_t accent = (index / 12) % 2 ? red : blue;
    switch (index % 12) {
    case 0: // sword
        fillRect(c, 15, 3, 3, 20, metal[0]);
        drawLine(c, 16, 3, 16, 21, metal[1]);
        fillRect(c, 10, 22, 13, 2, yellow);
        fillRect(c, 15, 24, 3, 5, brown);
        fillDisc(c, 16, 29, 1.6, accent);
        break;
    case 1: // shield
        fillEllipse(c, 16, 14, 12, 10, metal[0]);
        for (int y = 14; y < 30; ++y) {
            int half = 12 - (y - 14) * 12 / 16;
            drawLine(c, 16 - half, y, 16 + half, y, metal[0]);
        }
        fillRect(c, 14, 6, 4, 20, accent);
        fillRect(c, 8, 12, 16, 4, accent);
        break;
    case 2: // potion
        fillDisc(c, 16, 21, 8, accent);
        fillRect(c, 13, 6, 6, 9, lightGrey);
        fillRect(c, 13, 4, 6, 3, brown);
        fillDisc(c, 13, 19, 2, white);
        break;
    case 3: // key
        fillDisc(c, 10, 16, 6, metal[0]);
        fillDisc(c, 10, 16, 3, black);
        fillRect(c, 15, 15, 14, 3, metal[0]);
        fillRect(c, 24, 18, 2, 5, metal[0]);
        fillRect(c, 28, 18, 2, 4, metal[0]);
        break;
    case 4: // ring
        fillDisc(c, 16, 18, 9, metal[0]);
        fillDisc(c, 16, 18, 6, black);
        fillDisc(c, 16, 8, 4, accent);
        plot(c, 15, 7, white);
        break;
    case 5: // scroll
        fillRect(c, 6, 8, 20, 16, white);
        fillEllipse(c, 6, 16, 3, 9, yellow);
        fillEllipse(c, 26, 16, 3, 9, yellow);
        for (int y = 11; y < 22; y += 3) {
            drawLine(c, 10, y, 22, y, darkGrey);
        }
        fillRect(c, 14, 22, 4, 5, accent);
        break;
    case 6: // coins
        for (int k = 0; k < 5; ++k) {
            fillEllipse(c, 9 + k * 3.5, 24 - (k % 2) * 5, 6, 3, yellow);
            fillEllipse(c, 9 + k * 3.5, 23 - (k % 2) * 5, 4, 1.5, white);
        }
        break;
    case 7: // gem
        for (int y = 6; y < 27; ++y) {
            int half = y < 12 ? (y - 6) * 2 + 4 : 16 - (y - 12) * 16 / 15;
            drawLine(c, 16 - half, y, 16 + half, y, accent);
        }
        drawLine(c, 10, 12, 22, 12, white);
        drawLine(c, 16, 6, 16, 26, white);
        break;
    case 8: // axe
        drawLine(c, 9, 29, 22, 5, brown);
        drawLine(c, 10, 29, 23, 5, brown);
        fillEllipse(c, 22, 9, 7, 5, metal[0]);
        fillEllipse(c, 25, 9, 3, 4, metal[1]);
        break;
    case 9: // helm
        fillEllipse(c, 16, 16, 11, 11, metal[0]);
        fillRect(c, 5, 16, 23, 12, metal[0]);
        fillRect(c, 9, 15, 14, 3, black);
        fillRect(c, 15, 18, 2, 8, black);
        drawLine(c, 16, 2, 16, 6, accent);
        break;
    case 10: // book
        fillRect(c, 6, 5, 20, 23, accent);
        fillRect(c, 8, 7, 16, 19, brown);
        fillRect(c, 24, 6, 3, 21, white);
        for (int k = 0; k < 3; ++k) {
            drawLine(c, 12 + k * 3, 12, 12 + k * 3, 20, yellow);
        }
        break;
    default: // lantern
        fillRect(c, 10, 8, 12, 18, darkGrey);
        fillRect(c, 12, 10, 8, 14, yellow);
        fillRect(c, 14, 13, 4, 7, white);
        drawLine(c, 12, 8, 16, 3, darkGrey);
        drawLine(c, 20, 8, 16, 3, darkGrey);
        break;
    }
    MaskedArt art;
    art.mask = maskOf(c, black);
    art.picture = c;
    return art;
}

Canvas paintPortrait(int size, uint32_t seed) {
    Rng rng = makeRng(seed);
    const uint8_t backdrops[] = {navy, darkGreen, purple, darkRed, teal};
    const uint8_t skins[] = {white, yellow, brown};
    const uint8_t hairs[] = {black, brown, yellow, red, lightGrey};
    const uint8_t clothes[] = {blue, red, green, magenta, darkGrey, cyan};
    Canvas c = makeCanvas(size, size, backdrops[randomBelow(rng, 5)]);
    uint8_t skin = skins[randomBelow(rng, 3)];
    uint8_t hair = hairs[randomBelow(rng, 5)];
    double s = size / 48.0;
    fillEllipse(c, 24 * s, 50 * s, 20 * s, 14 * s, clothes[randomBelow(rng, 6)]);
    fillRect(c, (int)(20 * s), (int)(30 * s), (int)(8 * s), (int)(8 * s), skin);
    fillEllipse(c, 24 * s, 22 * s, 10 * s, 12 * s, skin);
    fillEllipse(c, 24 * s, 13 * s, 11 * s, 5 * s, hair);
    if (randomBelow(rng, 2)) {
        fillRect(c, (int)(13 * s), (int)(13 * s), (int)(3 * s), (int)(16 * s), hair);
        fillRect(c, (int)(32 * s), (int)(13 * s), (int)(3 * s), (int)(16 * s), hair);
    }
    fillDisc(c, 20 * s, 21 * s, 1.3 * s, black);
    fillDisc(c, 28 * s, 21 * s, 1.3 * s, black);
    drawLine(c, (int)(24 * s), (int)(23 * s), (int)(23 * s), (int)(27 * s), darkRed);
    drawLine(c, (int)(21 * s), (int)(30 * s), (int)(27 * s), (int)(30 * s), darkRed);
    return c;
}
