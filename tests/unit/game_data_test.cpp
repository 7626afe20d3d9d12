#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "1-app/run/game_load.h"
#include "2-play/game.h"
#include "3-gfx/graphics.h"
#include "4-data/characters.h"
#include "4-data/file_formats.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"
#include "formats/formats.h"
#include "graphics_files.h"
#include "test_support.h"

namespace {

const char *const essentialFiles[] = {"data.ovl",     "arva.dat",   "under.dat", "towne.npc",
                                      "dwelling.npc", "castle.npc", "keep.npc",  "look2.dat"};

// A complete data directory "data" made with the writers, pointed at by the
// settings; one essential file may be left out.
struct GameData : testing::Test {
    Game game = newGame();
    ScratchDir dir;
    DataDirectory data{"data"};
    void TearDown() override {
        freeLocationNames();
        freeTileNames();
        freeGraphics();
    }
    void writeData(const std::string &omit) {
        ASSERT_EQ(system("mkdir -p data"), 0);
        writeGraphicsFiles("data", true);
        writeGraphicsFiles("data", false);
        uint8_t layout[256];
        for (int i = 0; i < 256; i++) {
            layout[i] = (uint8_t)(i % 2);
        }
        std::vector<LocationSpec> places = {{86, 109, "Harrowgate"}, {20, 30, "Millbrook"}};
        std::vector<std::string> names(512);
        names[0] = "deep water";
        names[256 + 3] = "a guard";
        std::vector<SettlementPeople> people(8);
        people[2].people[4] = {7, 8, 1, 3, 9};
        Chunk chunk0(256, 4), chunk1(256, 5);
        std::vector<std::pair<std::string, Bytes>> files = {
            {"data.ovl", buildTableFile(layout, places)},
            {"arva.dat", buildChunkFile({chunk0, chunk1})},
            {"under.dat", buildUnderworldFile(std::vector<uint8_t>(65536, 6))},
            {"towne.npc", buildNpcFile(people)},
            {"dwelling.npc", buildNpcFile({})},
            {"castle.npc", buildNpcFile({})},
            {"keep.npc", buildNpcFile({})},
            {"look2.dat", buildTileNameFile(names)},
            {"towne.dat", buildSettlementFile(std::vector<uint8_t>(16384, 8))},
        };
        for (auto &f : files) {
            if (f.first != omit) {
                ASSERT_TRUE(writeBytes("data/" + f.first, f.second));
            } else {
                remove(("data/" + f.first).c_str());
            }
        }
    }
};

} // namespace

TEST_F(GameData, LoadsEveryTableAndMap) {
    writeData("");
    LoadFailure failure;
    ASSERT_TRUE(loadGameData(failure)) << loadFailureLine(failure);
    EXPECT_STREQ(locations[0].name, "Harrowgate");
    EXPECT_EQ(locations[1].column, 20);
    EXPECT_EQ(locations[1].row, 30);
    EXPECT_EQ(mapStore(overworld)[0].baseTile, 4);
    EXPECT_EQ(mapStore(overworld)[16].baseTile, 5);
    EXPECT_EQ(mapStore(underworld)[65535].baseTile, 6);
    EXPECT_EQ(mapStore(towne)[100].baseTile, 8);
    EXPECT_STREQ(tileName(0), "deep water");
    EXPECT_STREQ(tileName(259), "a guard");
    setSettlementCharacters(game, towne, 2);
    EXPECT_EQ(game.npcSlots[4].column, 7);
    EXPECT_EQ(game.npcSlots[4].type, 3);
}

TEST_F(GameData, EachMissingEssentialFileFailsTheLoadNamingIt) {
    for (const char *name : essentialFiles) {
        writeData(name);
        LoadFailure failure;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(loadGameData(failure)) << name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "start-up alone prints it";
        EXPECT_EQ(loadFailureLine(failure),
                  std::string("Cannot open data file 'data/") + name + "'");
        freeGraphics();
    }
}

TEST_F(GameData, MissingSettlementMapsAreSkipped) {
    writeData("towne.dat");
    memset(mapStore(towne), 9, sizeof(MapCell));
    testing::internal::CaptureStderr();
    LoadFailure failure;
    EXPECT_TRUE(loadGameData(failure));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(mapStore(towne)[0].baseTile, 9) << "a missing file leaves its store as it was";
}
