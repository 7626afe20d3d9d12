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
