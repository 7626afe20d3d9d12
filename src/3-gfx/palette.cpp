#include "3-gfx/palette.h"

const Colour palette4[4] = {{0, 0, 0, 0}, {0, 170, 170, 0}, {255, 0, 255, 0}, {255, 255, 255, 0}};

// Intensity levels 0, 128 and 255; index 6 is a brown and 7 a light grey.
const Colour palette16[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {160, 80, 32, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};

namespace {

bool fourColourMode = true;

} // namespace

void setColourMode(bool fourColour) {
    fourColourMode = fourColour;
}

bool isFourColourMode() {
    return fourColourMode;
}

const Colour *modePalette() {
    return isFourColourMode() ? palette4 : palette16;
}

int modePaletteSize() {
    return isFourColourMode() ? 4 : 16;
}

Uint8 keyColour() {
    return isFourColourMode() ? 5 : 17;
}

Uint8 textGlyphColour() {
    return isFourColourMode() ? 3 : 15;
}

Uint8 frameHighlightColour() {
    return isFourColourMode() ? 3 : 15;
}

void setModePalette(SDL_Surface *surface) {
    SDL_SetColors(surface, const_cast<Colour *>(modePalette()), 0, modePaletteSize());
}
