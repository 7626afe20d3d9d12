// The whole tile file of the demo world: 256 map tiles and 256 sprites in both
// colour modes, and the 512 tile names that go with them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

const int tileTotal = 512;
const int tilePixels = 256; // 16 x 16

// 512 tiles of 16x16 colour indices 0-15, tile-major, row-major.
std::vector<uint8_t> tilePixels16();

// The same tiles with each colour mapped to one of the four (fourColour).
std::vector<uint8_t> tilePixels4(const std::vector<uint8_t> &pixels16);

// Name i: map tile i for i < 256, sprite i - 256 above; each at most 31 characters.
std::vector<std::string> tileNames();
