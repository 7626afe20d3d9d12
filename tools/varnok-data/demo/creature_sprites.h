// The creature sprites: 32 kinds of animal and monster drawn from a few body
// plans, used for the sprites 128-255 (sprite n shows kind n mod 32).
#pragma once

#include "canvas.h"

void paintCreatureSprite(Canvas &s, int n);
const char *creatureName(int n);
