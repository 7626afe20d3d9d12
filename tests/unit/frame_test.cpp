#include <gtest/gtest.h>

#include <string>

#include "3-gfx/frame.h"
#include "3-gfx/graphics_store.h"
#include "synthetic_store.h"

namespace {

// The frame as it should look: one character per text cell, the piece number in
// base 18 (a = 10 ... h = 17), '.' for a cell the frame leaves alone.
const char *const expectedFrame[25] = {
    "c2222h............g2222a222222222222222d", // 0
    "3......................6...............4", // 1
    "3......................6...............4", // 2
    "3......................6...............4", // 3
    "3......................6...............4", // 4
    "3......................6...............4", // 5
    "3......................6...............4", // 6
    "3......................7555555555555555b", // 7
    "3......................6...............4", // 8
    "3......................6...............4", // 9
    "3......................75555555555555559", // 10
    "3......................6................", // 11
    "3......................6................", // 12
    "3......................6................", // 13
    "3......................6................", // 14
    "3......................6................", // 15
    "3......................6................", // 16
    "3......................6................", // 17
    "3......................6................", // 18
    "3......................6................", // 19
    "3......................6................", // 20
    "3......................6................", // 21
    "3......................6................", // 22
    "e1111h............g11118................", // 23
    "........................................", // 24
};

int pieceAt(int column, int row) {
    char c = expectedFrame[row][column];
    if (c == '.') {
        return -1;
    }
    return c <= '9' ? c - '0' : c - 'a' + 10;
}

} // namespace

TEST(Frame, EveryTextCellShowsItsPieceOrStaysUntouched) {
    openTestScreen();
    buildSyntheticStore();
    fillScreen(250);
    drawFrame();
    for (int row = 0; row < 25; row++) {
        ASSERT_EQ(std::string(expectedFrame[row]).size(), 40u) << row;
        for (int column = 0; column < 40; column++) {
            int piece = pieceAt(column, row);
            if (piece < 0) {
                EXPECT_TRUE(cellBlank(column, row, 250)) << column << "," << row;
            } else {
                EXPECT_TRUE(cellShows(graphicsStore.frameGlyphs[piece], column, row))
                    << "piece " << piece << " at " << column << "," << row;
            }
        }
    }
    freeSyntheticStore();
}

TEST(Frame, RunsStayOnTheScreenAndNeverOverlap) {
    int drawn[25][40] = {};
    for (int r = 0; r < frameRunCount; r++) {
        const FrameRun &run = frameRuns[r];
        ASSERT_GE(run.firstColumn, 0);
        ASSERT_LE(run.lastColumn, 39);
        ASSERT_GE(run.topRow, 0);
        ASSERT_LE(run.bottomRow, 23);
        for (int row = run.topRow; row <= run.bottomRow; row++) {
            for (int column = run.firstColumn; column <= run.lastColumn; column++) {
                EXPECT_EQ(++drawn[row][column], 1) << column << "," << row;
            }
        }
    }
}

TEST(Frame, MissingPiecesAreSkipped) {
    openTestScreen();
    buildSyntheticStore();
    fillScreen(250);
    SDL_FreeSurface(graphicsStore.frameGlyphs[3]);
    graphicsStore.frameGlyphs[3] = nullptr;
    graphicsStore.frameGlyphCount = 10; // as if only the first ten pieces had been built
    drawFrame();
    EXPECT_TRUE(cellBlank(0, 5, 250));
    EXPECT_TRUE(cellBlank(0, 0, 250)) << "piece 12 is past the count";
    EXPECT_TRUE(cellShows(graphicsStore.frameGlyphs[2], 1, 0));
    graphicsStore.frameGlyphCount = frameGlyphTotal;
    freeSyntheticStore();
}
