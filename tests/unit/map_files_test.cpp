#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "2-play/game.h"
#include "4-data/map_files.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"
#include "formats/formats.h"
#include "test_support.h"

namespace {

// Map files in a scratch directory, read by bare name (no data directory).
struct MapFiles : testing::Test {
    Game game = newGame();
    ScratchDir dir;
    DataDirectory bareNames{nullptr};
    LoadFailure failure;
};

uint8_t patternByte(size_t i) {
    return (uint8_t)(i * 7 + i / 251);
}

Bytes patterned(size_t n) {
    Bytes out(n);
    for (size_t i = 0; i < n; i++) {
        out[i] = patternByte(i);
    }
    return out;
}

const MapCell &worldCell(uint8_t kind, int column, int row) {
    return mapStore(kind)[row * 256 + column];
}

} // namespace

TEST_F(MapFiles, OverworldBlocksComeThroughTheChunkLayout) {
    uint8_t layout[256];
    for (int i = 0; i < 256; i++) {
        layout[i] = (uint8_t)(i % 6);
    }
    layout[33] = 5;
    layout[34] = 255; // a plain block of tile 1
    layout[35] = 6;   // a chunk past the end of the file
    ASSERT_TRUE(writeBytes("arva.dat", patterned(6 * 256 + 100)));
    ASSERT_TRUE(loadOverworld(layout, failure));

    // Cell (17, 33) lies in block 2 x 16 + 1 = 33 and holds file byte 1297.
    EXPECT_EQ(worldCell(overworld, 17, 33).baseTile, patternByte(1297));
    EXPECT_EQ(worldCell(overworld, 17, 33).shownTile, patternByte(1297));
    EXPECT_EQ(worldCell(overworld, 0, 0).baseTile, patternByte(0));
    EXPECT_EQ(worldCell(overworld, 255, 255).baseTile, patternByte((255 % 6) * 256 + 255));
    for (int y = 0; y < 16; y++) {
        for (int x = 0; x < 16; x++) {
            ASSERT_EQ(worldCell(overworld, 32 + x, 32 + y).baseTile, 1);
            ASSERT_EQ(worldCell(overworld, 48 + x, 32 + y).baseTile, 255);
        }
    }
}

TEST_F(MapFiles, AllPlainLayoutStillNeedsTheFile) {
    uint8_t layout[256];
    std::fill(layout, layout + 256, 255);
    ASSERT_TRUE(writeBytes("arva.dat", Bytes()));
    ASSERT_TRUE(loadOverworld(layout, failure));
    for (int i = 0; i < 65536; i++) {
        ASSERT_EQ(mapStore(overworld)[i].baseTile, 1);
    }
    remove("arva.dat");
    EXPECT_FALSE(loadMaps(layout, failure));
    EXPECT_EQ(loadFailureLine(failure), "Cannot open data file 'arva.dat'");
}

TEST_F(MapFiles, UnderworldChunksFillBlocksInOrder) {
    ASSERT_TRUE(writeBytes("under.dat", patterned(65536 + 10)));
    ASSERT_TRUE(loadUnderworld(failure));
    EXPECT_EQ(worldCell(underworld, 255, 255).baseTile, patternByte(65535));
    EXPECT_EQ(worldCell(underworld, 16, 0).baseTile, patternByte(256));
    EXPECT_EQ(worldCell(underworld, 1, 1).shownTile, patternByte(17));

    // A short file: the cells it holds, then tile 255.
    ASSERT_TRUE(writeBytes("under.dat", patterned(300)));
    ASSERT_TRUE(loadUnderworld(failure));
    EXPECT_EQ(worldCell(underworld, 16, 2).baseTile, patternByte(256 + 32));
    EXPECT_EQ(worldCell(underworld, 16 + 12, 2).baseTile, 255);
    EXPECT_EQ(worldCell(underworld, 255, 255).baseTile, 255);
}

TEST_F(MapFiles, SettlementLevelsInFileOrder) {
    ASSERT_TRUE(writeBytes("keep.dat", patterned(16384 + 5)));
    loadSettlementFile("keep.dat", mapStore(keep));
    EXPECT_EQ(mapStore(keep)[3 * 1024 + 2 * 32 + 5].baseTile, patternByte(3141));

    ASSERT_TRUE(writeBytes("keep.dat", patterned(1500)));
    loadSettlementFile("keep.dat", mapStore(keep));
    EXPECT_EQ(mapStore(keep)[1499].baseTile, patternByte(1499));
    EXPECT_EQ(mapStore(keep)[1500].baseTile, 255);
    EXPECT_EQ(mapStore(keep)[16383].shownTile, 255);

    // A file that cannot be opened leaves the store as it was.
    loadSettlementFile("no-such.dat", mapStore(keep));
    EXPECT_EQ(mapStore(keep)[1499].baseTile, patternByte(1499));
}

TEST_F(MapFiles, SelectingMapsAndAskingForTiles) {
    ASSERT_TRUE(writeBytes("towne.dat", patterned(16384)));
    loadSettlementFile("towne.dat", mapStore(towne));
    selectMap(game, towne, 1);
    EXPECT_EQ(tileAt(game, 0, 0), patternByte(1024));
    EXPECT_EQ(tileAt(game, 31, 31), patternByte(2047));
    EXPECT_EQ(game.currentMap.width, 32);
    EXPECT_EQ(game.currentMap.wraps, 0);
    EXPECT_EQ(game.playerState.mapKind, towne);

    // Animation changes shown tiles; selecting the same map restores them all.
    for (int i = 0; i < 1024; i++) {
        game.currentMap.cells[i].shownTile = 99;
    }
    selectMap(game, towne, 1);
    EXPECT_EQ(tileAt(game, 5, 7), patternByte(1024 + 7 * 32 + 5));

    // A level past the 16 of a family selects nothing new.
    selectMap(game, towne, 16);
    EXPECT_EQ(game.currentMap.cells, mapStore(towne) + 1024);
    EXPECT_EQ(game.playerState.mapKind, towne);

    selectMap(game, underworld, 9);
    EXPECT_EQ(game.currentMap.cells, mapStore(underworld));
    EXPECT_EQ(game.currentMap.wraps, 1);
    EXPECT_EQ(game.currentMap.height, 256);

    selectMap(game, 6, 0);
    EXPECT_EQ(game.playerState.mapKind, 6);
    EXPECT_EQ(game.currentMap.cells, nullptr);
    EXPECT_EQ(tileAt(game, 0, 0), 0);
    EXPECT_EQ(tileAt(game, 200, 17), 0);
}
