// The game clock: the minute of the day, 0-1439 (Game.gameClock), advanced by
// most commands and shown in the status area.
#pragma once

struct Game;

const int minutesPerDay = 1440;

void advanceClock(Game &game);
