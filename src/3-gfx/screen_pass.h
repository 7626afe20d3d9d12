// The drawing of one main-loop pass: map view, characters, player and the two
// status lines (position and clock) in the status area.
#pragma once

#include "3-gfx/play_view.h"

// Column and rows of the status lines in text cells.
const int statusColumn = 24;
const int positionRow = 1;
const int clockRow = 2;

// What the status lines show: taken from the view the draw pass is given.
struct StatusShown {
    int column;
    int row;
    int clock;
};

// Draws the whole view and writes the status lines; the main loop presents the
// pass once, afterwards.
void drawScreen(const PlayView &view);

// "X:%d Y:%d  " and "Time:%d    ": the trailing blanks wipe what a longer value
// left behind.
void drawStatusLines(const StatusShown &status);
