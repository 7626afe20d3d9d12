// The animation state shared by the timer task that advances it and the map view
// that reads it.
#pragma once

#include <cstdint>

// 0-15, advanced by one on every animation tick; the map view scrolls by twice it.
extern uint16_t animationFrame;
