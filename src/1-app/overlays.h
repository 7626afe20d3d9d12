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
