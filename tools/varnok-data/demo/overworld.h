// The overworld of the demo world: a 256x256 island continent grown from noise,
// with the hand-drawn country around the start, the 40 places, shores and
// objects on the water; and its cutting into the chunks of "arva.dat".
#pragma once

#include <cstdint>
#include <vector>

const int worldCells = 256 * 256;

// The overworld, row-major: cell (c, r) at r * 256 + c.
std::vector<uint8_t> buildOverworld();

// Cuts a world into 16x16 blocks: blocks of deep water only get layout entry
// 255 (the engine fills them with tile 1), equal blocks share one chunk. The
// chunks are appended to `chunks`; false if more than 255 distinct chunks.
bool chunkWorld(const std::vector<uint8_t> &world, uint8_t layout[256],
                std::vector<std::vector<uint8_t>> &chunks);
