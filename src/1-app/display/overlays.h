// The overlays: pictures drawn over the frame on its way to the display and never
// into `screen`, so screenshots and the game's own drawing do not see them. The
// keys list (F1) and a short notice (after a screenshot, a save or a load), both
// in the game's font over the map view.
#pragma once

#include <SDL.h>

void showKeysOverlay();
void hideKeysOverlay();
bool keysOverlayShown();

// How long a notice stays: a screenshot, a save or a load.
const Uint32 noticeTime = 2000; // ms

// Shows one line of text for the given time.
void showNotice(const char *text, Uint32 milliseconds);

// The notice shown now; "" when none is.
const char *shownNotice();

// True while the keys list or an unexpired notice is shown.
bool overlaysShown();

// Draws the shown overlays into an 8-bit 640x400 copy of the frame.
void drawOverlays(SDL_Surface *target);

// The frame as every display shows it: `screen` itself while no overlay is
// shown, else a copy of it with the overlays drawn over (`screen` when the copy
// cannot be made). The copy is kept for the next call.
SDL_Surface *frameWithOverlays();

// Frees the copy; part of closing a display.
void freeFrameWithOverlays();
