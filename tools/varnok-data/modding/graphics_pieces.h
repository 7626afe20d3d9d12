// The picture pieces of the modding folder: the tile sheets, the font sheets,
// one PNG per picture of the 25 picture files, and the rendered maps. Export
// writes them from a world's files; import reads the sheets and pictures back
// onto the raw copies (the rendered maps are for looking only).
#pragma once

#include <string>
#include <vector>

#include "world_folder.h"

struct GraphicsSummary {
    int sheets;
    int pictures;
    int maps;
};

// Tile sheets of the modes, the two font sheets and every picture.
bool exportGraphicsPieces(const FileSet &files, const std::vector<int> &modes,
                          const std::string &folder, GraphicsSummary &summary,
                          std::string &problem);

// maps/<name>.png for every map, drawn with the tiles of `mode`.
bool exportMapPictures(const FileSet &files, int mode, const std::string &folder,
                       GraphicsSummary &summary, std::string &problem);

// Reads the sheets and pictures of every mode whose tile file the files hold and
// writes them over the raw copies. False with a line in `problems` for each piece
// it cannot take, naming piece and place; every piece is read.
bool importGraphicsPieces(const std::string &folder, FileSet &files, Problems &problems);
