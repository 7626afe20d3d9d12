// The browser's presenter (1-app/display/presenter.h's calls): the canvas is the
// frame's own size and the page scales it, so there is no video mode, no scale
// map and no window to resize.
#include "web_presenter.h"

#include <cstring>
#include <vector>

#include "frame_rgba.h"
#include "page_calls.h"
#include "1-app/display/overlays.h"
#include "1-app/display/presenter.h"
#include "1-app/display/video.h"

namespace {

bool displayOpen = false;
bool presentWanted = false;

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

// The page has no desktop to measure: it scales the canvas itself.
void readSize() {
}

bool openCanvas(bool) {
    // Full screen needs the player's key or click: the page starts in its tab.
    displayOpen = true;
    shownSource.clear();
    return true;
}

bool toggle() {
    webToggleFullscreen();
    return true;
}

bool isFullscreen() {
    return webIsFullscreen() != 0;
}

void closeCanvas() {
    displayOpen = false;
    std::vector<Uint8>().swap(shownSource);
    std::vector<uint32_t>().swap(shown);
}

void markWanted() {
    presentWanted = true;
}

} // namespace

// No pause: the page shows nothing before the pass returns, so holding the
// console's scroll steps would only hold it up. The canvas keeps what it shows.
const PresenterCalls webPresenter = {readSize,   openCanvas, toggle,      isFullscreen,
                                     markWanted, nullptr,    closeCanvas, nullptr};

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
