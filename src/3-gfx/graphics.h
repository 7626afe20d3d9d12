// The start-up load of the whole graphics store for the configured colour mode,
// and its release in the ordered teardown.
#pragma once

// The picture sets, the tiles and the fonts of the mode chosen by the "video"
// setting (1: the ".4" files, else the ".16" files). Failures end the program.
void loadGraphics();
void loadGraphics4();
void loadGraphics16();

// Frees every surface and array of the store; copes with a store never filled or
// left part-way by a failed load.
void freeGraphics();
