#include "export_readme.h"

#include <algorithm>

#include "2-play/rules.h"
#include "4-data/file_formats.h"
#include "export_target.h"
#include "plain_text.h"
#include "text_pieces.h"

const char readmePiece[] = "README.txt";

namespace {

const char *const kindNames[] = {"town", "lighthouse",      "hut", "castle", "village",
                                 "keep", "dungeon entrance"};

bool hasTile(const std::vector<uint8_t> &cells, int level, uint8_t tile) {
    auto first = cells.begin() + (size_t)level * levelCells;
    return std::find(first, first + levelCells, tile) != first + levelCells;
}

// From each place's entry level, the levels its ladders reach (up and down, as
// Klimb takes them), until another place's entry level or a level without one.
void followLadders(const std::vector<uint8_t> &cells, std::vector<int> &places) {
    bool grew = true;
    while (grew) {
        grew = false;
        for (int level = 0; level < settlementLevels; ++level) {
            if (places[level] < 0) {
                continue;
            }
            const int steps[2][2] = {{ladderUpTile, 1}, {ladderDownTile, -1}};
            for (const auto &step : steps) {
                int next = level + step[1];
                if (next >= 0 && next < settlementLevels && places[next] < 0 &&
                    hasTile(cells, level, (uint8_t)step[0])) {
                    places[next] = places[level];
                    grew = true;
                }
            }
        }
    }
}

std::string paddedPiece(const std::string &piece) {
    std::string padded = piece;
    padded.resize(std::max<size_t>(piece.size() + 2, 22), ' ');
    return padded;
}

std::string placeText(const std::vector<std::string> &names, int location) {
    std::string name = names[location].empty() ? "(no name)" : escapeName(names[location]);
    return name + " (location " + std::to_string(location) + ", a " +
           kindNames[placeKind(location)] + ")";
}

std::string settlementLines(const FileSet &files) {
    std::vector<std::string> names = locationNamesOf(files.at(tableFileName));
    std::vector<std::vector<int>> places = gridPlaces(files);
    std::string text;
    for (int family = 0; family < familyCount; ++family) {
        if (places[family].empty()) {
            text += "  " + paddedPiece("maps/" + familyName(family) + "-NN.txt") +
                    "none: " + settlementMapFileName(2 + family) + " is not in the world\n";
            continue;
        }
        for (int level = 0; level < settlementLevels; ++level) {
            int place = places[family][level];
            std::string what = "no place is entered here and no ladder leads here";
            if (place >= 0) {
                what = placeText(names, place) +
                       (entryLevel[place] == level
                            ? ", entered here"
                            : ", by ladder; entered on level " + std::to_string(entryLevel[place]));
            }
            text += "  " + paddedPiece(mapPiece(2 + family, level, ".txt")) + what + "\n";
        }
    }
    return text;
}

} // namespace

std::vector<std::vector<int>> gridPlaces(const FileSet &files) {
    std::vector<std::vector<uint8_t>> maps = worldMapCells(files);
    std::vector<std::vector<int>> places(familyCount);
    for (int family = 0; family < familyCount; ++family) {
        if (maps[2 + family].empty()) {
            continue;
        }
        places[family].assign(settlementLevels, -1);
        for (int location = 0; location < worldLocationCount; ++location) {
            if (placeFamily(location) == 2 + family) {
                places[family][entryLevel[location]] = location;
            }
        }
        followLadders(maps[2 + family], places[family]);
    }
    return places;
}

std::string readmeText(const FileSet &files, const std::vector<int> &modes) {
    std::string modeList, tileSheets, pictureFolders;
    for (int mode : modes) {
        std::string m = std::to_string(mode);
        modeList += (modeList.empty() ? "" : " and ") + m + "-colour";
        tileSheets += (tileSheets.empty() ? "" : ", ") + tileSheetPiece(mode);
        pictureFolders += (pictureFolders.empty() ? "" : ", ") + std::string("pictures-") + m + "/";
    }
    std::string drawn = std::to_string(modes.back());
    // Each piece with the lines that say what it is.
    const std::vector<std::vector<std::string>> pieces = {
        {locationsPiece, "the 40 places: number, name (15 characters at most),",
         "column and row of the entrance on the overworld"},
        {tileNamesPiece, "the 512 tile names, one a line after its number",
         "(\\\\ for a backslash, \\xHH for other bytes)"},
        {chunkLayoutPiece, "which chunk of the overworld file fills each of",
         "its 16 x 16 blocks (255: plain land)"},
        {mapPiece(0, 0, ".txt"), "the overworld, 256 x 256 tile numbers"},
        {mapPiece(1, 0, ".txt"), "the underworld, 256 x 256 tile numbers"},
        {"maps/<family>-NN.txt", "level NN of a settlement family, 32 x 32",
         "tile numbers (the place of each grid is listed below)"},
        {"maps/*.png", "every map drawn with the " + drawn + "-colour tiles, to look at",
         "(import does not read them)"},
        {"people/<family>.csv", "the people of each family's places: record",
         "(the place's number modulo 8), slot, column, row, floor,", "type and extra"},
        {tileSheets, "the 256 map tiles and 256 sprites, 16 a row"},
        {fontSheetPiece(0) + ", " + fontSheetPiece(1), "the two fonts"},
        {pictureFolders, "one PNG per picture of each picture file;",
         "pictures cannot be added or renamed, and see-through",
         "pixels only in those that have a mask"},
        {std::string(rawFolder) + "/", "the world's files as export read them, with",
         "music.ini and the music folder; import starts from them"},
        {manifestPiece, "what export wrote, so that export --replace", "knows its own work"},
    };
    std::string text = "An export of a world with its " + modeList +
                       " graphics,\nmade by varnok-data export.\n"
                       "Edit the pictures with any image editor and the text with any text "
                       "editor,\nthen import the folder back (see the end of this file).\n\n"
                       "What each piece is\n";
    for (const std::vector<std::string> &piece : pieces) {
        // A name too long for its column stands on a line of its own.
        bool own = paddedPiece(piece[0]).size() > paddedPiece("").size();
        if (own) {
            text += "  " + piece[0] + "\n";
        }
        for (size_t line = 1; line < piece.size(); ++line) {
            text += "  " + paddedPiece(line == 1 && !own ? piece[0] : "") + piece[line] + "\n";
        }
    }
    text += "\nThe settlement grids\n"
            "Each place is entered on one level of its family's map, at column " +
            std::to_string(entryColumn) + ", row " + std::to_string(entryRow) +
            ";\nits ladders (tile " + std::to_string(ladderUpTile) + " up, " +
            std::to_string(ladderDownTile) + " down) lead to the levels next to it.\n";
    text += settlementLines(files);
    text += "\nImporting\n"
            "  varnok-data import THIS-FOLDER WORLD-FOLDER\n"
            "writes the edited world into WORLD-FOLDER (made when it does not exist): every\n"
            "file at once, or, when a piece cannot be taken, none, with one line for each\n"
            "problem. A file the world folder holds in another case (DATA.OVL) keeps its\n"
            "name. Then play it with: varnok WORLD-FOLDER\n";
    return text;
}
