// The colour mode of the files that are there: when neither --colours nor video=
// chooses, a copy of the game that holds only the 16-colour graphics plays in 16
// colours instead of failing on the first 4-colour file. Also the essential files
// of a mode that are missing, for start-up's message.
#pragma once

#include <string>
#include <vector>

// The essential files of the colour mode (file_formats.h) that are not in the data
// directory as regular files this user may read, in any case of their names: their paths as the
// loaders name them, in the loaders' order.
std::vector<std::string> missingEssentialFiles(bool fourColour);

// When the settings left the mode open (no video=, no --colours) and some
// 4-colour file is missing while every 16-colour one is there, sets video=0 and
// says so on standard output ("Colours: 16 (the 4-colour files are not all
// there)"). A file that is there but damaged changes nothing: it is refused when
// it is read, as in a chosen mode.
void chooseColourModeByFiles();
