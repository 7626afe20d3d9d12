// The underworld of the demo world: solid rock carved into halls and tunnels
// that join every dungeon entrance and the gate of Underhold.
#pragma once

#include <cstdint>
#include <vector>

// The underworld, row-major 256x256. The cell under every dungeon entrance is a
// shaft of daylight, Underhold's cell is its gate; all of them are joined.
std::vector<uint8_t> buildUnderworld();
