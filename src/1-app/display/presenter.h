// The presenter seam: what turns the game's 8-bit `screen` into the display's
// picture. Each front end has its own (the desktop's on an SDL video mode,
// desktop_presenter.h; the browser build's on the page's canvas) in its table
// (front_end.h); the calls below go to the chosen one, and do nothing (or
// answer false) while there is none.
#pragma once

#include <SDL.h>

// The calls every presenter has, presentScreen (present.h) among them. A
// presenter only shows: while its display is open, openDisplay makes its present
// and pause drawing's hooks (3-gfx/screen.h) and closeDisplay takes them away;
// the frame with overlays (overlays.h) is freed with the video (closeVideo).
struct PresenterCalls {
    // Keeps the desktop's size; SDL reports it only before the first video mode.
    void (*readDesktopSize)();
    // Opens the display, in a window or the whole screen; false when it cannot.
    bool (*open)(bool fullscreen);
    // Switches between window and full screen; false when there is no display left.
    bool (*toggleFullscreen)();
    bool (*isFullscreen)();
    // Shows `screen` with its overlays (present.h's presentScreen).
    void (*present)();
    // Holds what the display shows for a while, after a step of the console's
    // scrolling; nullptr where nothing shows before the pass ends.
    void (*pause)(Uint32 milliseconds);
    // Frees what the presenter made.
    void (*close)();
    // The display lost what it showed (a window that is new or was covered): the
    // next present shows the whole picture again. nullptr where nothing is lost.
    void (*exposed)();
};

void readDesktopSize();
bool openDisplay(bool fullscreen);
bool toggleFullscreen();
bool displayIsFullscreen();
void closeDisplay();
// SDL_VIDEOEXPOSE: the pass's present shows the whole picture again.
void displayExposed();
