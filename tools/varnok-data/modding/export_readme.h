// README.txt of an export: what each piece of the folder is, which place each
// settlement grid belongs to, and how the folder goes back into a world. Written
// from the world's own files (the locations of data.ovl, the settlement maps) and
// the game's rules (which family and level each place is entered on, the ladders
// between levels).
#pragma once

#include <string>
#include <vector>

#include "world_folder.h"

extern const char readmePiece[];

// The place each settlement grid belongs to: the location entered on it, or the
// one whose levels its ladders lead to; -1 for a grid no place reaches. Indexed
// [family][level]; a family without its map file has no levels.
std::vector<std::vector<int>> gridPlaces(const FileSet &files);

// The text of README.txt for an export in the given modes. It does not name the
// world's folder, so that the same world gives the same export wherever it lies.
std::string readmeText(const FileSet &files, const std::vector<int> &modes);
