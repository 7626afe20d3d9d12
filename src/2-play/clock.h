// The game clock: the minute of the day, 0-1439, advanced by most commands and
// shown in the status area.
#pragma once

#include <cstdint>

extern uint16_t GameClock;

const int minutesPerDay = 1440;

void advanceClock();
