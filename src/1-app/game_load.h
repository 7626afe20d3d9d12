// The start-up data load: every game data file is read once, in a fixed order,
// before the timer starts. A missing essential file ends the program.
#pragma once

// "data.ovl" (chunk layout and locations), the graphics of the colour mode, the
// maps, the character files and the tile names of "look2.dat".
void loadGameData();
