#include "1-app/display/desktop_presenter.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "1-app/display/overlays.h"
#include "1-app/display/picture_scale.h"
#include "1-app/display/smooth_scale.h"
#include "1-app/config/settings.h"
#include "1-app/display/video.h"

namespace {

SDL_Surface *display = nullptr; // the video surface
bool fullscreenShown = false;
int desktopWidth = 0; // 0 x 0: unknown
int desktopHeight = 0;
PictureLayout layout = {};
ScaleMaps maps;
Uint32 colours[256];
// fit=1 on a display of 2 bytes per pixel or more: the crisp enlargement of any
// size (smooth_scale.h) instead of the plain one.
bool smooth = false;
SmoothMaps smoothMaps;

// What the display shows: the source pixels and palette of the last present. A
// new mode has shown nothing yet.
std::vector<Uint8> shownPixels;
SDL_Color shownPalette[256];
bool shownValid = false;

void presentFrame();

bool samePalette(const SDL_Surface *source) {
    const SDL_Palette *palette = source->format->palette;
    return palette->ncolors == 256 &&
           memcmp(palette->colors, shownPalette, sizeof shownPalette) == 0;
}

const Uint8 *sourceRow(const SDL_Surface *source, int y) {
    return (const Uint8 *)source->pixels + y * source->pitch;
}

// The first and last source rows that differ from what is shown; false if none.
bool changedRows(const SDL_Surface *source, int *first, int *last) {
    int y = 0;
    while (y < screenHeight &&
           memcmp(sourceRow(source, y), &shownPixels[y * screenWidth], screenWidth) == 0) {
        y++;
    }
    if (y == screenHeight) {
        return false;
    }
    *first = y;
    y = screenHeight - 1;
    while (memcmp(sourceRow(source, y), &shownPixels[y * screenWidth], screenWidth) == 0) {
        y--;
    }
    *last = y;
    return true;
}

// The leftmost and rightmost differing columns of rows first..last: eight pixels
// at a time up to the first difference, then pixel by pixel.
void changedColumns(const SDL_Surface *source, int first, int last, int *left, int *right) {
    int l = screenWidth;
    int r = -1;
    for (int y = first; y <= last; y++) {
        const Uint8 *a = sourceRow(source, y);
        const Uint8 *b = &shownPixels[y * screenWidth];
        int x = 0;
        while (x + 8 <= l && memcmp(a + x, b + x, 8) == 0) {
            x += 8;
        }
        while (x < l && a[x] == b[x]) {
            x++;
        }
        l = x < l ? x : l;
        x = screenWidth - 1;
        while (x - 7 > r && memcmp(a + x - 7, b + x - 7, 8) == 0) {
            x -= 8;
        }
        while (x > r && a[x] == b[x]) {
            x--;
        }
        r = x > r ? x : r;
    }
    *left = l;
    *right = r;
}

void remember(const SDL_Surface *source, const FrameArea &area) {
    shownPixels.resize(screenWidth * screenHeight);
    // Outside the area the rows are already the same.
    for (int y = area.top; y <= area.bottom; y++) {
        memcpy(&shownPixels[y * screenWidth + area.left], sourceRow(source, y) + area.left,
               area.right - area.left + 1);
    }
    const SDL_Palette *palette = source->format->palette;
    memset(shownPalette, 0, sizeof shownPalette);
    memcpy(shownPalette, palette->colors,
           sizeof(SDL_Color) * (palette->ncolors < 256 ? palette->ncolors : 256));
}

void takeColours(SDL_Surface *source) {
    SDL_Palette *palette = source->format->palette;
    if (display->format->BytesPerPixel == 1) {
        SDL_SetColors(display, palette->colors, 0, palette->ncolors);
    }
    mapColours(source, display, colours);
}

// The picture cannot be larger than the mode SDL gave: it is centred in what was
// given, or made as large as fits it.
void fitToMode(PictureLayout &wanted, int width, int height) {
    if (settings.fit == 1 && (wanted.modeWidth != width || wanted.modeHeight != height)) {
        wanted = fittedLayout(settings.aspect, width, height);
    }
    if (wanted.width > width || wanted.height > height) {
        wanted = fullscreenLayout(settings.aspect, width, height);
    }
    wanted.modeWidth = width;
    wanted.modeHeight = height;
    wanted.left = (width - wanted.width) / 2;
    wanted.top = (height - wanted.height) / 2;
}

void readSize() {
    const SDL_VideoInfo *info = SDL_GetVideoInfo();
    desktopWidth = info != nullptr ? info->current_w : 0;
    desktopHeight = info != nullptr ? info->current_h : 0;
}

PictureLayout wantedLayout(bool fullscreen) {
    if (settings.fit == 1) {
        return fullscreen ? fittedLayout(settings.aspect, desktopWidth, desktopHeight)
                          : fittedWindowLayout(settings.aspect, desktopWidth, desktopHeight);
    }
    return fullscreen ? fullscreenLayout(settings.aspect, desktopWidth, desktopHeight)
                      : windowLayout(settings.scale, settings.aspect, desktopWidth, desktopHeight);
}

bool openMode(bool fullscreen) {
    PictureLayout wanted = wantedLayout(fullscreen);
    Uint32 flags = SDL_SWSURFACE | SDL_ANYFORMAT | (fullscreen ? SDL_FULLSCREEN : 0);
    SDL_Surface *made = SDL_SetVideoMode(wanted.modeWidth, wanted.modeHeight, 0, flags);
    display = made;
    if (made == nullptr) {
        return false;
    }
    fitToMode(wanted, made->w, made->h);
    layout = wanted;
    fullscreenShown = fullscreen;
    buildScaleMaps(maps, screenWidth, screenHeight, layout.width, layout.height);
    smooth = settings.fit == 1 && made->format->BytesPerPixel >= 2;
    if (smooth) {
        buildSmoothMaps(smoothMaps, screenWidth, screenHeight, layout.width, layout.height);
    }
    shownValid = false;
    return true;
}

bool toggleMode() {
    bool wanted = !fullscreenShown;
    if (!openMode(wanted)) {
        fprintf(stderr, "Cannot switch to %s: %s\n", wanted ? "full screen" : "a window",
                SDL_GetError());
        if (!openMode(!wanted)) {
            return false;
        }
    }
    // A mode change can lose the release of the Alt key that asked for it.
    SDL_SetModState(KMOD_NONE);
    presentFrame();
    return true;
}

// sdl12-compat's window shows nothing of an update sent before it was mapped
// (after a mode change, Alt+Enter either way) and keeps nothing when covered; it
// says so with SDL_VIDEOEXPOSE.
void forgetShown() {
    shownValid = false;
}

bool isFullscreen() {
    return fullscreenShown;
}

void closeMode() {
    display = nullptr;
    shownValid = false;
    std::vector<Uint8>().swap(shownPixels);
}

void presentFrame() {
    if (display == nullptr || screen == nullptr || screen->format->BytesPerPixel != 1 ||
        screen->w != screenWidth || screen->h != screenHeight) {
        return;
    }
    SDL_Surface *source = frameWithOverlays();
    FrameArea area = {0, 0, screenWidth - 1, screenHeight - 1};
    bool whole = !shownValid || !samePalette(source);
    if (!whole) {
        // Only the rectangle around what changed is enlarged and sent.
        if (!changedRows(source, &area.top, &area.bottom)) {
            return;
        }
        changedColumns(source, area.top, area.bottom, &area.left, &area.right);
    }
    remember(source, area);
    if (whole) {
        takeColours(source);
    }
    if (!shownValid) {
        // A new mode: black around the picture.
        SDL_FillRect(display, nullptr, SDL_MapRGB(display->format, 0, 0, 0));
    }
    if (SDL_MUSTLOCK(display) && SDL_LockSurface(display) < 0) {
        return;
    }
    if (smooth) {
        smoothRows(source, display, layout, smoothMaps, area.top, area.bottom);
    } else {
        scaleArea(source, display, layout, maps, colours, area);
    }
    if (SDL_MUSTLOCK(display)) {
        SDL_UnlockSurface(display);
    }
    if (!shownValid) {
        SDL_UpdateRect(display, 0, 0, 0, 0);
    } else if (smooth) {
        // Whole picture rows: a blended pixel reaches into its neighbours' columns.
        int top, bottom;
        smoothSpan(smoothMaps.rows, area.top, area.bottom, &top, &bottom);
        SDL_UpdateRect(display, layout.left, layout.top + top, layout.width, bottom - top + 1);
    } else {
        int top, bottom, from, to;
        mappedSpan(maps.rows, area.top, area.bottom, &top, &bottom);
        mappedSpan(maps.columns, area.left, area.right, &from, &to);
        SDL_UpdateRect(display, layout.left + from, layout.top + top, to - from + 1,
                       bottom - top + 1);
    }
    shownValid = true;
}

} // namespace

// Each scroll step of the console is held a moment (SDL_Delay), so that the
// player sees the text go by.
const PresenterCalls desktopPresenter = {readSize,     openMode,  toggleMode, isFullscreen,
                                         presentFrame, SDL_Delay, closeMode,  forgetShown};

const PictureLayout &displayLayout() {
    return layout;
}
