// The masked pictures of the demo world: monsters (symmetric creatures grown from
// noise), items (weapons, potions, keys ...) and portraits for the creation screen.
#pragma once

#include <cstdint>

#include "canvas.h"

// A picture with its transparency: mask 1 where the background shows through.
struct MaskedArt {
    Canvas picture;
    Canvas mask; // same size, 0 or 1
};

MaskedArt paintMonster(int size, uint32_t seed);
MaskedArt paintItem(int index); // 32x32; index 0-23 gives 24 different items

// A head-and-shoulders portrait, size x size, on a plain backdrop.
Canvas paintPortrait(int size, uint32_t seed);
