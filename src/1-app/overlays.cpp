#include "1-app/overlays.h"

#include <cstdio>
#include <cstring>

#include "3-gfx/graphics_store.h"
#include "3-gfx/map_view.h"
#include "3-gfx/screen.h"

namespace {

const int cellSize = 16;
const int firstColumn = 2;   // text columns of the map view, inside a one-cell margin
const int noticeRow = 21;    // the map view's last text row
const int noticeLength = 20; // what fits inside the map view

// The player's keys: key, then what it does.
const char *const keyLines[][2] = {
    {"Arrows", "Walk"},      {"[ / ' ;", "Walk"},
    {"KP 8 2 6 4", "Walk"},  {"Space", "Pass"},
    {"KP 5", "Pass"},        {"E", "Enter"},
    {"K", "Klimb"},          {"L", "Look"},
    {"Y, N, Esc", "Answer"}, {"Alt+Enter", "Fullscreen"},
    {"F12", "Screenshot"},   {"F1", "These keys"},
    {"Alt+X", "Quit"},
};
const int keyLineCount = sizeof keyLines / sizeof keyLines[0];
const int keysTitleRow = 2;
const int firstKeyRow = 4;

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
        if (textGlyphs == nullptr || c >= textGlyphCount || textGlyphs[c] == nullptr) {
            continue;
        }
        SDL_Rect place = {(Sint16)((column + i) * cellSize), (Sint16)(row * cellSize), 0, 0};
        SDL_BlitSurface(textGlyphs[c], nullptr, target, &place);
    }
}

void clearCells(SDL_Surface *target, int firstRow, int lastRow) {
    SDL_Rect area = {(Sint16)viewLeft, (Sint16)(firstRow * cellSize),
                     (Uint16)(viewCells * viewCellSize),
                     (Uint16)((lastRow - firstRow + 1) * cellSize)};
    SDL_FillRect(target, &area, 0);
}

void drawKeys(SDL_Surface *target) {
    int lastRow = (viewTop + viewCells * viewCellSize) / cellSize - 1;
    clearCells(target, viewTop / cellSize, lastRow);
    drawText(target, firstColumn, keysTitleRow, "Keys");
    for (int i = 0; i < keyLineCount; i++) {
        char line[64];
        snprintf(line, sizeof line, "%-11s%s", keyLines[i][0], keyLines[i][1]);
        drawText(target, firstColumn, firstKeyRow + i, line);
    }
    drawText(target, firstColumn, firstKeyRow + keyLineCount + 1, "Any key closes this");
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
