#include "data/game_data.h"

#include <cstdio>

#include "data/characters.h"
#include "data/essential_file.h"
#include "data/map_files.h"
#include "data/table_file.h"
#include "data/tile_names.h"
#include "gfx/graphics.h"

void loadGameData() {
    FILE *table = openEssentialFile("data.ovl");
    readChunkLayout(table);
    readLocations(table);
    closeEssentialFile(table, "data.ovl");
    loadGraphics();
    loadMaps();
    loadNpcFiles();
    FILE *names = openEssentialFile("look2.dat");
    readTileNames(names);
    closeEssentialFile(names, "look2.dat");
}
