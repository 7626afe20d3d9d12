// The start-up data load: every game data file is read once, in a fixed order,
// before the timer starts. A missing essential file ends the program.
#pragma once

#include <string>
#include <vector>

// "data.ovl" (chunk layout and locations), the maps, the character files and the
// tile names of "look2.dat".
void loadGameData();

// The files loadGameData cannot do without in the colour mode, in the order it
// opens them: what start-up checks before any window opens.
std::vector<std::string> essentialFileNames(bool fourColour);
