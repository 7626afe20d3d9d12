#include "3-gfx/frame.h"

#include "3-gfx/console.h"
#include "3-gfx/graphics_store.h"

// Columns 6-17 of rows 0 and 23, column 39 below row 10 and all of row 24 stay
// empty; the message area has no frame on its right and bottom.
const FrameRun frameRuns[] = {
    {1, 1, 4, 23, 23},   {1, 19, 22, 23, 23},                      // bottom edge of the map view
    {2, 1, 4, 0, 0},     {2, 19, 22, 0, 0},                        // top edge of the map view
    {2, 24, 38, 0, 0},                                             // top edge of the status area
    {3, 0, 0, 1, 22},                                              // left edge
    {4, 39, 39, 1, 6},   {4, 39, 39, 8, 9},                        // right edge of the panel boxes
    {5, 24, 38, 7, 7},   {5, 24, 38, 10, 10},                      // the panel's two dividers
    {6, 23, 23, 1, 6},   {6, 23, 23, 8, 9},                        // divider between view and panel
    {6, 23, 23, 11, 22}, {7, 23, 23, 7, 7},   {7, 23, 23, 10, 10}, // joints on that divider
    {8, 23, 23, 23, 23}, {9, 39, 39, 10, 10}, {10, 23, 23, 0, 0},
    {11, 39, 39, 7, 7},  {12, 0, 0, 0, 0},    {13, 39, 39, 0, 0},   // corners
    {14, 0, 0, 23, 23},  {16, 18, 18, 0, 0},  {16, 18, 18, 23, 23}, // ends of the open stretches
    {17, 5, 5, 0, 0},    {17, 5, 5, 23, 23},
};
const int frameRunCount = sizeof frameRuns / sizeof frameRuns[0];

void drawFrame() {
    if (graphicsStore.frameGlyphs == nullptr) {
        return;
    }
    for (int r = 0; r < frameRunCount; r++) {
        const FrameRun &run = frameRuns[r];
        if (run.piece >= graphicsStore.frameGlyphCount) {
            continue;
        }
        for (int row = run.topRow; row <= run.bottomRow; row++) {
            for (int column = run.firstColumn; column <= run.lastColumn; column++) {
                blitGlyph(graphicsStore.frameGlyphs[run.piece], column, row);
            }
        }
    }
}
