#include "data/game_data.h"

#include <cstdio>

#include "data/characters.h"
#include "data/essential_file.h"
#include "data/file_formats.h"
#include "data/map_files.h"
#include "data/table_file.h"
#include "data/tile_names.h"
#include "gfx/graphics.h"

void loadGameData() {
    FILE *table = openEssentialFile(tableFileName);
    readChunkLayout(table);
    readLocations(table);
    closeEssentialFile(table, "data.ovl");
    loadGraphics();
    loadMaps();
    loadNpcFiles();
    FILE *names = openEssentialFile(tileNameFileName);
    readTileNames(names);
    closeEssentialFile(names, "look2.dat");
}

std::vector<std::string> essentialFileNames(bool fourColour) {
    std::vector<std::string> names = {tableFileName};
    for (int set = 0; set < pictureSetCount; set++) {
        names.push_back(pictureFileName(set, fourColour));
    }
    for (const char *name : {tileFileName(fourColour), textFontFileName, runeFontFileName,
                             overworldFileName, underworldFileName}) {
        names.push_back(name);
    }
    for (uint8_t kind : npcFileOrder) {
        names.push_back(characterFileName(kind));
    }
    names.push_back(tileNameFileName);
    return names;
}
