// The fixed screen frame around the map view and the right-hand panel, drawn once
// at the start of the main loop from the frame pieces of the graphics store.
#pragma once

// One run of text cells that shows the same frame piece: columns first..last of
// rows top..bottom (a single cell when both ranges are one long).
struct FrameRun {
    int piece;
    int firstColumn;
    int lastColumn;
    int topRow;
    int bottomRow;
};

// The frame's runs and their number; every text cell of the frame lies in one run.
extern const FrameRun frameRuns[];
extern const int frameRunCount;

// Copies each run's frame piece into every text cell of the run.
void drawFrame();
