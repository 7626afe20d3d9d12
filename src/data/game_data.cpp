#include "data/game_data.h"

#include <cstdio>

#include "data/characters.h"
#include "data/essential_file.h"
#include "data/map_files.h"
#include "data/table_file.h"
#include "data/tile_names.h"
#include "gfx/graphics.h"
#include "gfx/pictures.h"

void loadGameData() {
    FILE *table = openEssentialFile("data.ovl");
    readChunkLayout(table);
    readLocations(table);
    fclose(table);
    loadGraphics();
    loadMaps();
    loadNpcFiles();
    FILE *names = openEssentialFile("look2.dat");
    readTileNames(names);
    fclose(names);
}

std::vector<std::string> essentialFileNames(bool fourColour) {
    std::vector<std::string> names = {"data.ovl"};
    for (int set = 0; set < 25; set++) {
        names.push_back(pictureFileName(set, fourColour));
    }
    names.push_back(fourColour ? "tiles.4" : "tiles.16");
    for (const char *name : {"ibm.ch", "runes.ch", "arva.dat", "under.dat", "towne.npc",
                             "dwelling.npc", "castle.npc", "keep.npc", "look2.dat"}) {
        names.push_back(name);
    }
    return names;
}
