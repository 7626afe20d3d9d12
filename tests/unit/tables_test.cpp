// The table file, the tile names, the character files, the path helpers and the
// opening of data files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <sys/stat.h>

#include "1-app/config/settings.h"
#include "2-play/game.h"
#include "4-data/characters.h"
#include "4-data/data_file.h"
#include "4-data/file_formats.h"
#include "4-data/maps.h"
#include "4-data/paths.h"
#include "4-data/regular_file.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"
#include "formats/formats.h"
#include "test_support.h"

namespace {

// Files in a scratch directory, read by bare name.
struct Tables : testing::Test {
    Game game = newGame();
    ScratchDir dir;
    DataDirectory bareNames{nullptr};
    void TearDown() override {
        freeLocationNames();
        freeTileNames();
    }
    void readTable(const Bytes &bytes) {
        ByteView table = viewOf(bytes);
        readLocations(table);
    }
    void readNames(const Bytes &bytes) {
        ByteView file = viewOf(bytes);
        readTileNames(file);
    }
};

void putText(Bytes &b, size_t at, const char *text) {
    if (b.size() < at + strlen(text) + 1) {
        b.resize(at + strlen(text) + 1, 0);
    }
    memcpy(b.data() + at, text, strlen(text) + 1);
}

void putPosition(Bytes &b, int location, int value) {
    b[7754 + 2 * location] = (uint8_t)(value & 0xFF);
    b[7754 + 2 * location + 1] = (uint8_t)(value >> 8);
}

} // namespace

TEST_F(Tables, LocationNamesAndPositions) {
    Bytes table(14726, 0);
    putPosition(table, 0, 100); // name at 116
    putText(table, 116, "Saltmere");
    putPosition(table, 1, 200);
    putText(table, 216, "ABCDEFGHIJKLMNOPQRST"); // cut to 15
    putPosition(table, 2, 300);
    putText(table, 316, "Two\nlines");
    putPosition(table, 3, 60000); // beyond the end of the file
    for (int i = 0; i < 40; i++) {
        table[7834 + i] = (uint8_t)(i + 1);
        table[7874 + i] = (uint8_t)(200 + i);
    }
    readTable(table);
    EXPECT_STREQ(locations[0].name, "Saltmere");
    EXPECT_STREQ(locations[1].name, "ABCDEFGHIJKLMNO");
    EXPECT_STREQ(locations[2].name, "Two\n");
    EXPECT_STREQ(locations[3].name, "");
    EXPECT_EQ(locations[0].column, 1);
    EXPECT_EQ(locations[39].column, 40);
    EXPECT_EQ(locations[39].row, 239); // byte 7913

    // The writer's table reads back.
    uint8_t layout[256] = {};
    readTable(buildTableFile(layout, {{3, 4, "Millbrook"}, {5, 6, "Emberfold"}}));
    EXPECT_STREQ(locations[1].name, "Emberfold");
    EXPECT_EQ(locations[1].row, 6);
    EXPECT_STREQ(locations[2].name, "");
    freeLocationNames();
    EXPECT_EQ(locations[0].name, nullptr);
}

TEST_F(Tables, TileNames) {
    Bytes look(1024, 0);
    for (int i = 0; i < 512; i++) {
        look[2 * i] = 0x00; // every name at 0x0400 unless set below
        look[2 * i + 1] = 0x04;
    }
    putText(look, 1024, "grass");
    look[2] = 0x10; // name 1 at 0x0410
    putText(look, 0x410, "a name of well over thirty-one characters");
    look[4] = 0xFF; // name 2 at 0xFFFF, past the end of the file
    look[5] = 0xFF;
    look[6] = 0x50; // name 3 at 0x0450: runs to the end of the file
    putText(look, 0x450, "end");
    look.pop_back();
    readNames(look);
    EXPECT_STREQ(tileName(0), "grass");
    EXPECT_STREQ(tileName(511), "grass");
    EXPECT_STREQ(tileName(1), "a name of well over thirty-one ");
    EXPECT_EQ(strlen(tileName(1)), 31u);
    EXPECT_STREQ(tileName(2), "");
    EXPECT_STREQ(tileName(3), "end");
    EXPECT_STREQ(tileName(512), "");
    EXPECT_STREQ(tileName(-1), "");
    freeTileNames();
    EXPECT_STREQ(tileName(0), "");
    freeTileNames(); // nothing loaded: nothing freed

    std::vector<std::string> names(512);
    names[300] = "a bard";
    readNames(buildTileNameFile(names));
    EXPECT_STREQ(tileName(300), "a bard");
    EXPECT_STREQ(tileName(299), "");
}

TEST_F(Tables, SettlementCharactersFromTheirRecord) {
    Bytes castleFile(4608);
    for (size_t i = 0; i < castleFile.size(); i++) {
        castleFile[i] = (uint8_t)(i * 13 + 1);
    }
    ASSERT_TRUE(writeBytes("castle.npc", castleFile));
    LoadFailure failure;
    ASSERT_TRUE(readNpcFile("castle.npc", npcFileBuffer(castle), failure));
    setSettlementCharacters(game, castle, 1);
    EXPECT_EQ(game.currentCharacterRecord, npcFileBuffer(castle) + 576);
    for (int p = 0; p < 32; p++) {
        ASSERT_EQ(game.npcSlots[p].column, castleFile[576 + 16 * p + 3]);
        ASSERT_EQ(game.npcSlots[p].row, castleFile[576 + 16 * p + 6]);
        ASSERT_EQ(game.npcSlots[p].floor, castleFile[576 + 16 * p + 9]);
        ASSERT_EQ(game.npcSlots[p].extra, castleFile[576 + 544 + p]);
        ASSERT_EQ(game.npcSlots[p].type, castleFile[576 + 512 + p]);
    }
    setSettlementCharacters(game, overworld, 0);
    EXPECT_EQ(game.currentCharacterRecord, nullptr);
    setSettlementCharacters(game, castle, 8);
    EXPECT_EQ(game.currentCharacterRecord, nullptr);
    setSettlementCharacters(game, castle, -1);
    EXPECT_EQ(game.currentCharacterRecord, nullptr);

    // A short file leaves nobody in the rest of the buffer, whatever was there.
    ASSERT_TRUE(writeBytes("castle.npc", Bytes(castleFile.begin(), castleFile.begin() + 600)));
    ASSERT_TRUE(readNpcFile("castle.npc", npcFileBuffer(castle), failure));
    setSettlementCharacters(game, castle, 1);
    EXPECT_EQ(game.npcSlots[1].column, castleFile[576 + 16 + 3]);
    EXPECT_EQ(game.npcSlots[2].column, 0);
    EXPECT_EQ(game.npcSlots[31].type, 0);
}

TEST_F(Tables, DataPathsAndReadLimits) {
    setDataDirectory("/games/data");
    char *path = makeDataPath("keep.npc");
    EXPECT_STREQ(path, "/games/data/keep.npc");
    free(path);
    setDataDirectory("data/");
    path = makeDataPath("music/theme.ogg");
    EXPECT_STREQ(path, "data//music/theme.ogg");
    free(path);
    setDataDirectory(nullptr);
    path = makeDataPath("keep.npc");
    EXPECT_STREQ(path, "keep.npc");
    free(path);

    // A file is read whole, or only as far as its format can use.
    ASSERT_TRUE(writeBytes("ten", Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    ASSERT_TRUE(writeBytes("empty", Bytes()));
    Bytes bytes;
    EXPECT_EQ(readRegularFile("ten", 100, bytes), fileAccepted);
    EXPECT_EQ(bytes.size(), 10u);
    EXPECT_EQ(readRegularFile("ten", 4, bytes), fileAccepted);
    EXPECT_EQ(bytes, (Bytes{0, 1, 2, 3}));
    EXPECT_EQ(readRegularFile("empty", 4, bytes), fileAccepted);
    EXPECT_TRUE(bytes.empty());
}

// The list a front end fetches before playing: the essential files first, in
// their order, then the settlement maps and the music list, each name once, the
// colour mode's own files only.
TEST_F(Tables, DataFileNamesNameEveryFileTheGameReadsOnce) {
    for (bool fourColour : {true, false}) {
        std::vector<std::string> essential = essentialFileNames(fourColour);
        std::vector<std::string> all = dataFileNames(fourColour);
        ASSERT_GE(all.size(), essential.size());
        EXPECT_TRUE(std::equal(essential.begin(), essential.end(), all.begin()));
        EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size());
        std::vector<std::string> rest(all.begin() + (long)essential.size(), all.end());
        EXPECT_EQ(rest, (std::vector<std::string>{"towne.dat", "castle.dat", "keep.dat",
                                                  "dwelling.dat", "music.ini"}));
        const char *own = fourColour ? "tiles.4" : "tiles.16";
        const char *other = fourColour ? "tiles.16" : "tiles.4";
        EXPECT_NE(std::find(all.begin(), all.end(), own), all.end());
        EXPECT_EQ(std::find(all.begin(), all.end(), other), all.end());
    }
}

// A data file is opened only when it is a regular file; an essential one that is
// not there fails the load naming it.
TEST_F(Tables, OnlyRegularFilesOpenAndAFailedReadIsAnError) {
    ASSERT_TRUE(writeBytes("ten", Bytes(10, 1)));
    mkdir("folder", 0755);
    mkfifo("fifo", 0644);
    int64_t size = -1;
    FileRefusal why = fileMissing;
    FILE *file = openRegularFile("ten", &size, &why);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(size, 10);
    EXPECT_EQ(why, fileAccepted);
    fclose(file);
    for (const char *odd : {"folder", "fifo", "/dev/null"}) {
        EXPECT_EQ(openRegularFile(odd, &size, &why), nullptr) << odd;
        EXPECT_EQ(why, fileNotRegular) << odd;
    }
    EXPECT_EQ(openRegularFile("nothing", &size, &why), nullptr);
    EXPECT_EQ(why, fileMissing);
    Bytes bytes = {1};
    LoadFailure failure;
    EXPECT_FALSE(readEssentialFile("fifo", 100, bytes, failure));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(loadFailureLine(failure), "Cannot open data file 'fifo'");
    EXPECT_EQ(loadFailureLine(LoadFailure{"ten", readProblem}), "Bad data file 'ten': read error");
}
