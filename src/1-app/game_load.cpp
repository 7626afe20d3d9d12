#include "1-app/game_load.h"

#include <cstdio>

#include "3-gfx/graphics.h"
#include "4-data/characters.h"
#include "4-data/essential_file.h"
#include "4-data/file_formats.h"
#include "4-data/map_files.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"

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
