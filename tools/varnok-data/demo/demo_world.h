// Writes the complete demo world into a data directory: the files of both
// colour modes, the shared tables, maps and fonts, the music folder and
// "music.ini". Same bytes on every run.
#pragma once

#include <string>

// Creates `directory` (with any missing folder above it, and its "music" folder)
// if needed and writes every file.
// On failure returns false with a message naming the file in `problem`.
bool writeDemoWorld(const std::string &directory, std::string &problem);
