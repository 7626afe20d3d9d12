#include "1-app/display/overlays.h"

#include <cstdio>
#include <cstring>

#include "1-app/input/keys_list.h"
#include "3-gfx/blit.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/map_view.h"
#include "3-gfx/screen.h"

namespace {

const int cellSize = 16;
const int firstColumn = 2;   // text columns of the map view, inside a one-cell margin
const int noticeRow = 21;    // the map view's last text row
const int noticeLength = 20; // what fits inside the map view

bool keysShown = false;
char notice[noticeLength + 1] = "";

// The frame with its overlays, made only once an overlay is shown.
SDL_Surface *composed = nullptr;
Uint32 noticeEnd = 0;

bool noticeShown() {
    // Compared as a difference, so that the tick counter's wrap does no harm.
    return notice[0] != '\0' && (Sint32)(noticeEnd - SDL_GetTicks()) > 0;
}

void drawText(SDL_Surface *target, int column, int row, const char *text) {
    for (int i = 0; text[i] != '\0'; i++) {
        unsigned char c = (unsigned char)text[i];
        if (graphicsStore.textGlyphs == nullptr || c >= graphicsStore.textGlyphCount ||
            graphicsStore.textGlyphs[c] == nullptr) {
            continue;
        }
        blitIndexed(graphicsStore.textGlyphs[c], nullptr, target, (column + i) * cellSize,
                    row * cellSize);
    }
}

void clearCells(SDL_Surface *target, int firstRow, int lastRow) {
    SDL_Rect area = {(Sint16)viewLeft, (Sint16)(firstRow * cellSize),
                     (Uint16)(viewCells * viewCellSize),
                     (Uint16)((lastRow - firstRow + 1) * cellSize)};
    SDL_FillRect(target, &area, 0);
}

// The panel beside the map view, below its top edge.
void clearPanel(SDL_Surface *target) {
    SDL_Rect area = {(Sint16)(panelListColumn * cellSize), (Sint16)cellSize,
                     (Uint16)(target->w - panelListColumn * cellSize),
                     (Uint16)(target->h - cellSize)};
    SDL_FillRect(target, &area, 0);
}

void drawKeys(SDL_Surface *target) {
    int lastRow = (viewTop + viewCells * viewCellSize) / cellSize - 1;
    clearCells(target, viewTop / cellSize, lastRow);
    std::vector<ListLine> lines = keysListLines();
    for (const ListLine &line : lines) {
        if (line.column >= panelListColumn) {
            clearPanel(target);
            break;
        }
    }
    for (const ListLine &line : lines) {
        drawText(target, line.column, line.row, line.text.c_str());
    }
}

} // namespace

void showKeysOverlay() {
    keysShown = true;
}

void hideKeysOverlay() {
    keysShown = false;
}

bool keysOverlayShown() {
    return keysShown;
}

void showNotice(const char *text, Uint32 milliseconds) {
    snprintf(notice, sizeof notice, "%s", text);
    noticeEnd = SDL_GetTicks() + milliseconds;
}

const char *shownNotice() {
    return noticeShown() ? notice : "";
}

bool overlaysShown() {
    return keysShown || noticeShown();
}

void drawOverlays(SDL_Surface *target) {
    if (keysShown) {
        drawKeys(target);
    }
    if (noticeShown()) {
        clearCells(target, noticeRow, noticeRow);
        drawText(target, firstColumn, noticeRow, notice);
    }
}

SDL_Surface *frameWithOverlays() {
    if (!overlaysShown()) {
        return screen;
    }
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

void freeFrameWithOverlays() {
    if (composed != nullptr) {
        SDL_FreeSurface(composed);
        composed = nullptr;
    }
}
