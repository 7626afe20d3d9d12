// The presenter's calls (shell/presenter.h, shell/present.h) for the browser: the
// canvas is the frame's own size and the page scales it, so there is no video
// mode, no scale map and no window to resize.
#include "web_presenter.h"

#include <cstring>
#include <vector>

#include "frame_rgba.h"
#include "page_calls.h"
#include "shell/overlays.h"
#include "shell/present.h"
#include "shell/presenter.h"
#include "shell/video.h"

namespace {

bool displayOpen = false;
bool presentWanted = false;
PictureLayout layout = {1, screenWidth, screenHeight, 0, 0, screenWidth, screenHeight};

// The frame with its overlays, made only while an overlay is shown.
SDL_Surface *composed = nullptr;

std::vector<uint32_t> shown; // the canvas's pixels as last put
std::vector<uint32_t> next;

SDL_Surface *frameWithOverlays() {
    if (composed == nullptr) {
        composed = SDL_CreateRGBSurface(SDL_SWSURFACE, screenWidth, screenHeight, 8, 0, 0, 0, 0);
        if (composed == nullptr) {
            return screen;
        }
    }
    SDL_Palette *palette = screen->format->palette;
    SDL_SetColors(composed, palette->colors, 0, palette->ncolors);
    for (int y = 0; y < screenHeight; y++) {
        memcpy((Uint8 *)composed->pixels + y * composed->pitch,
               (const Uint8 *)screen->pixels + y * screen->pitch, screenWidth);
    }
    drawOverlays(composed);
    return composed;
}

} // namespace

void readDesktopSize() {
}

bool openDisplay(bool) {
    // Full screen needs the player's key or click: the page starts in its tab.
    displayOpen = true;
    shown.clear();
    return true;
}

bool toggleFullscreen() {
    webToggleFullscreen();
    return true;
}

bool displayIsFullscreen() {
    return webIsFullscreen() != 0;
}

const PictureLayout &displayLayout() {
    return layout;
}

void closeDisplay() {
    if (composed != nullptr) {
        SDL_FreeSurface(composed);
        composed = nullptr;
    }
    displayOpen = false;
    std::vector<uint32_t>().swap(shown);
    std::vector<uint32_t>().swap(next);
}

void presentScreen() {
    presentWanted = true;
}

void showWantedFrame() {
    if (!presentWanted || !displayOpen || screen == nullptr || screen->w != screenWidth ||
        screen->h != screenHeight) {
        return;
    }
    presentWanted = false;
    frameToRgba(overlaysShown() ? frameWithOverlays() : screen, next);
    if (next == shown) {
        return;
    }
    shown.swap(next);
    webPutFrame(shown.data(), screenWidth, screenHeight);
}
