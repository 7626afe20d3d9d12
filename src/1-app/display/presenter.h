// The presenter seam: what turns the game's 8-bit `screen` into the display's
// picture. Each front end has its own (the desktop's on an SDL video mode,
// desktop_presenter.h; the browser build's on the page's canvas) and chooses it
// at start with usePresenter; the calls below go to the one chosen, and do
// nothing (or answer false) before one is.
#pragma once

// The calls every presenter has, presentScreen (present.h) among them.
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
    // Frees what the presenter made.
    void (*close)();
};

void usePresenter(const PresenterCalls &calls);

void readDesktopSize();
bool openDisplay(bool fullscreen);
bool toggleFullscreen();
bool displayIsFullscreen();
void closeDisplay();
