// The plain-text pieces of the modding folder: the map grids, the chunk layout,
// the locations, the tile names and the people of the settlements. Export writes
// them from a world's files; import reads them back onto the raw copies.
#pragma once

#include <string>
#include <vector>

#include "world_folder.h"

// The names and positions of what export wrote, for its progress line.
struct TextSummary {
    int files;
    int maps;
};

// Writes every text piece into folder. False with `problem` when a file cannot
// be written.
bool exportTextPieces(const FileSet &files, const std::string &folder, TextSummary &summary,
                      std::string &problem);

// The cells of every map of a world: 0 overworld, 1 underworld, 2-5 the
// settlement families (empty when the family's map file is missing).
std::vector<std::vector<uint8_t>> worldMapCells(const FileSet &files);

// Reads the text pieces of folder and writes what they say over the files (which
// hold the raw copies). False with a line in `problems` for each thing it cannot
// take, naming piece and place: every piece is read, and a table or name list to
// its last row.
bool importTextPieces(const std::string &folder, FileSet &files, Problems &problems);

// The tile names and location names as the engine reads them from the files.
std::vector<std::string> tileNamesOf(const Bytes &tileNameFile);
std::vector<std::string> locationNamesOf(const Bytes &tableFile);
