// The start-up load of the whole graphics store for the configured colour mode,
// and its release in the ordered teardown.
#pragma once

#include "4-data/load_failure.h"

// The picture sets, the tiles and the fonts of the colour mode (the ".4" or the
// ".16" files), in this order. False, with failure set, at the first file that
// cannot be used; what was made stays for freeGraphics.
bool loadGraphics(LoadFailure &failure);

// The three parts of loadGraphics, in its order; each loads the files of the
// colour mode.
enum GraphicsPart { picturesPart, tilesPart, fontsPart, graphicsPartCount };
bool loadGraphicsPart(GraphicsPart part, LoadFailure &failure);

// Frees every surface and array of the store; copes with a store never filled or
// left part-way by a failed load.
void freeGraphics();
