// The four settlement map files of the demo world: every level of every family
// painted by its owner's design, with the ladders between the owner's levels.
#pragma once

#include <cstdint>
#include <vector>

// Where the ladder between level `first + pair` and the level above stands, for
// the settlement `place`; the column and row are the same on both levels.
void ladderPosition(int place, int pair, int &column, int &row);

// All 16 levels of a family (MapKind 2-5), 16 x 32 x 32 tiles in file order.
std::vector<uint8_t> buildSettlementLevels(uint8_t family);
