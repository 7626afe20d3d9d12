// The presenter's calls (1-app/presenter.h, 1-app/present.h) for the browser: the
// canvas is the frame's own size and the page scales it, so there is no video
// mode, no scale map and no window to resize.
#include "web_presenter.h"

#include <cstring>
#include <vector>

#include "frame_rgba.h"
#include "page_calls.h"
#include "1-app/overlays.h"
#include "1-app/present.h"
#include "1-app/presenter.h"
#include "1-app/video.h"

namespace {

bool displayOpen = false;
bool presentWanted = false;
PictureLayout layout = {1, screenWidth, screenHeight, 0, 0, screenWidth, screenHeight};

// What the canvas shows: the 8-bit pixels and palette it was made from, and its
// RGBA pixels.
std::vector<Uint8> shownSource;
SDL_Color shownPalette[256];
std::vector<uint32_t> shown;

// True when source, with its palette, is what the canvas shows; else remembers it.
bool alreadyShown(const SDL_Surface *source) {
    const SDL_Palette *palette = source->format->palette;
    size_t rowBytes = (size_t)source->w;
    size_t size = rowBytes * source->h;
    bool same = shownSource.size() == size && palette->ncolors == 256 &&
                memcmp(palette->colors, shownPalette, sizeof shownPalette) == 0;
    shownSource.resize(size);
    for (int y = 0; y < source->h; y++) {
        const Uint8 *row = (const Uint8 *)source->pixels + y * source->pitch;
        Uint8 *kept = &shownSource[y * rowBytes];
        same = same && memcmp(kept, row, rowBytes) == 0;
        memcpy(kept, row, rowBytes);
    }
    memset(shownPalette, 0, sizeof shownPalette);
    memcpy(shownPalette, palette->colors,
           sizeof(SDL_Color) * (palette->ncolors < 256 ? palette->ncolors : 256));
    return same;
}

} // namespace

void readDesktopSize() {
}

bool openDisplay(bool) {
    // Full screen needs the player's key or click: the page starts in its tab.
    // No present or pause hook: the page shows nothing before the pass returns,
    // so the console's scroll steps would only hold it up.
    displayOpen = true;
    shownSource.clear();
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
    freeFrameWithOverlays();
    displayOpen = false;
    std::vector<Uint8>().swap(shownSource);
    std::vector<uint32_t>().swap(shown);
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
    SDL_Surface *source = frameWithOverlays();
    if (alreadyShown(source)) {
        return;
    }
    frameToRgba(source, shown);
    webPutFrame(shown.data(), screenWidth, screenHeight);
}
