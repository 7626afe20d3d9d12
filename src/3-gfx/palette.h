// The two colour modes: their palettes, the transparent key colour and the colour
// indices the glyph and mask decoders write. The video set-up chooses the mode.
#pragma once

#include <SDL.h>

// One palette entry; the layout of SDL_Color, so a table goes to SDL_SetColors as is.
typedef SDL_Color Colour;

extern const Colour palette4[4];
extern const Colour palette16[16];

// Chooses the colour mode for the whole run (start-up does, from the settings);
// the 4-colour mode until then.
void setColourMode(bool fourColour);

// True in the 4-colour mode.
bool isFourColourMode();

// The palette of the configured mode and its number of entries (4 or 16).
const Colour *modePalette();
int modePaletteSize();

// The transparent colour index of the configured mode: 5 or 17.
Uint8 keyColour();

// Colour indices written by the decoders, by mode.
Uint8 textGlyphColour();      // 3 or 15
Uint8 frameHighlightColour(); // 3 or 15
const Uint8 runeGlyphColour = 1;
const Uint8 frameBaseColour = 1;
const Uint8 maskSetColour = 1;

// Gives a freshly created 8-bit surface the palette of the configured mode.
void setModePalette(SDL_Surface *surface);
