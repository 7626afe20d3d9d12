// The demo world as the engine sees it: the files load, the fixed places of the
// tour are where the documentation says, the settlements' ladders and people are
// consistent, and two runs of the generator give the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "1-app/run/game_load.h"
#include "1-app/config/settings.h"
#include "2-play/game.h"
#include "3-gfx/graphics.h"
#include "3-gfx/palette.h"
#include "4-data/characters.h"
#include "4-data/file_formats.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"
#include "demo/demo_world.h"
#include "demo/level_painter.h"
#include "demo/settlement_levels.h"
#include "demo/settlement_people.h"
#include "demo/tile_numbers.h"
#include "demo/world_places.h"
#include "demo_world_fixture.h"
#include "formats/formats.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// The engine's start-up data load pointed at the demo world, in one colour mode.
struct LoadedDemoWorld : testing::Test {
    Game game = newGame();
    std::optional<DataDirectory> demo;
    int savedVideo = 1;
    bool loaded = false;
    void load(int video) {
        loaded = true;
        savedVideo = isFourColourMode() ? 1 : 0;
        demo.emplace(demoWorldDirectory().c_str());
        setColourMode(video == 1);
        LoadFailure failure;
        ASSERT_TRUE(loadGameData(failure)) << loadFailureLine(failure);
    }
    void TearDown() override {
        unload();
    }
    void unload() {
        if (!loaded) {
            return;
        }
        loaded = false;
        demo.reset();
        setColourMode(savedVideo == 1);
        freeLocationNames();
        freeTileNames();
        freeGraphics();
        setSettlementCharacters(game, overworld, 0);
        // Leave the stores as a fresh program has them (all tile 0): other tests
        // count on that.
        for (uint8_t kind = overworld; kind <= dwelling; ++kind) {
            memset(mapStore(kind), 0, sizeof(MapCell) * mapStoreCells(kind));
        }
        selectMap(game, overworld, 0);
    }
};

bool isFlowingWater(uint8_t t) {
    return t == tileDeepWater || t == tileWater || t == tileShallows;
}

bool isCutTile(uint8_t t) {
    return (t >= 52 && t <= 55) || (t >= 228 && t <= 231) || (t >= 96 && t <= 111);
}

const uint8_t familyKinds[4] = {towne, castle, keep, dwelling};

} // namespace

TEST_F(LoadedDemoWorld, LoadsInBothColourModesWithTheDocumentedPlaces) {
    for (int video : {1, 0}) {
        SCOPED_TRACE(video);
        load(video);
        EXPECT_STREQ(locations[0].name, "Harrowgate");
        EXPECT_EQ(locations[0].column, 89);
        EXPECT_EQ(locations[0].row, 109);
        EXPECT_STREQ(locations[13].name, "");
        EXPECT_EQ(locations[13].column, 80);
        EXPECT_EQ(locations[16].column, 86);
        EXPECT_EQ(locations[16].row, 113);
        EXPECT_STREQ(locations[24].name, "Underhold");
        EXPECT_EQ(locations[24].column, 88);
        EXPECT_EQ(locations[24].row, 105);
        EXPECT_EQ(locations[32].column, 86);
        EXPECT_EQ(locations[32].row, 105);
        EXPECT_EQ(locations[39].column, 83);
        EXPECT_EQ(locations[39].row, 109);
        std::set<int> cells;
        for (const LocationRecord &place : locations) {
            cells.insert(place.row * 256 + place.column);
        }
        EXPECT_EQ(cells.size(), 40u);
        EXPECT_STREQ(tileName(tileGrass), "grass");
        EXPECT_STREQ(tileName(256 + 28), "a hero");
        unload();
    }
}

TEST_F(LoadedDemoWorld, StartViewShowsGrassTownFlowingWaterAndShores) {
    load(1);
    selectMap(game, overworld, 0);
    EXPECT_EQ(tileAt(game, 86, 109), tileGrass);
    EXPECT_EQ(tileAt(game, 89, 109), tileTownIcon);
    EXPECT_EQ(tileAt(game, 86, 113), tileCastleIcon);
    EXPECT_EQ(tileAt(game, 86, 105), tileDungeonEntrance);
    int water = 0, cut = 0;
    for (int row = 104; row <= 114; ++row) {
        for (int column = 81; column <= 91; ++column) {
            water += isFlowingWater(tileAt(game, column, row));
            cut += isCutTile(tileAt(game, column, row));
        }
    }
    EXPECT_GE(water, 8);
    EXPECT_GE(cut, 4);
    for (const LocationRecord &place : locations) {
        EXPECT_FALSE(isFlowingWater(tileAt(game, place.column, place.row))) << place.name;
    }
}

TEST_F(LoadedDemoWorld, UnderworldHasFloorUnderEveryEntranceAndTheKeepGate) {
    load(1);
    selectMap(game, underworld, 0);
    for (int number = 32; number < 40; ++number) {
        EXPECT_EQ(tileAt(game, locations[number].column, locations[number].row), tileDaylightShaft)
            << number;
    }
    EXPECT_EQ(tileAt(game, 88, 105), tileKeepGate);
}

TEST_F(LoadedDemoWorld, FirstTownHasItsLadderAndItsTwoPeople) {
    load(1);
    selectMap(game, towne, 0);
    EXPECT_EQ(tileAt(game, 15, 28), tileLadderUp);
    EXPECT_TRUE(isStandingTile(tileAt(game, 15, 30)));
    selectMap(game, towne, 1);
    EXPECT_EQ(tileAt(game, 15, 28), tileLadderDown);
    setSettlementCharacters(game, towne, 0);
    bool groundPerson = false, upperPerson = false;
    for (int p = 1; p < npcSlotCount; ++p) {
        const NpcSlot &slot = game.npcSlots[p];
        groundPerson = groundPerson ||
                       (slot.type != 0 && slot.floor == 0 && slot.column == 13 && slot.row == 28);
        upperPerson = upperPerson || (slot.type != 0 && slot.floor == 1);
    }
    EXPECT_TRUE(groundPerson);
    EXPECT_TRUE(upperPerson);
}

TEST(DemoSettlements, LaddersJoinNeighbouringLevelsOfOneSettlement) {
    for (uint8_t family : familyKinds) {
        std::vector<uint8_t> levels = buildSettlementLevels(family);
        for (int n = 0; n < 16; ++n) {
            for (int cell = 0; cell < 1024; ++cell) {
                uint8_t t = levels[n * 1024 + cell];
                SCOPED_TRACE(testing::Message() << "family " << (int)family << " level " << n
                                                << " cell " << cell % 32 << "," << cell / 32);
                if (t == tileLadderUp) {
                    ASSERT_LT(n, 15);
                    EXPECT_EQ(levels[(n + 1) * 1024 + cell], tileLadderDown);
                    EXPECT_EQ(placeOfLevel(family, n), placeOfLevel(family, n + 1));
                }
                if (t == tileLadderDown) {
                    ASSERT_GT(n, 0);
                    EXPECT_EQ(levels[(n - 1) * 1024 + cell], tileLadderUp);
                    EXPECT_EQ(placeOfLevel(family, n), placeOfLevel(family, n - 1));
                }
            }
            EXPECT_EQ(levels[n * 1024 + 31 * 32 + 31], tileGrass);
        }
    }
}

TEST(DemoSettlements, EveryLevelOfAPlaceCanBeReachedFromItsEntry) {
    for (int place = 0; place < 32; ++place) {
        int first, last;
        ASSERT_TRUE(placeLevels(place, first, last));
        ASSERT_LE(first, entryLevel[place]);
        ASSERT_GE(last, entryLevel[place]);
        std::vector<uint8_t> levels = buildSettlementLevels(placeFamily(place));
        EXPECT_TRUE(isStandingTile(levels[entryLevel[place] * 1024 + 30 * 32 + 15]) ||
                    levels[entryLevel[place] * 1024 + 30 * 32 + 15] == tileJetty ||
                    levels[entryLevel[place] * 1024 + 30 * 32 + 15] == tileDrawbridge)
            << place;
        for (int n = first; n < last; ++n) {
            int ups = 0;
            for (int cell = 0; cell < 1024; ++cell) {
                ups += levels[n * 1024 + cell] == tileLadderUp;
            }
            EXPECT_GE(ups, 1) << "place " << place << " level " << n;
        }
    }
    EXPECT_EQ(placeOfLevel(castle, 0), 16); // Ostrand's cellar lies below its entry level 1
}

TEST(DemoSettlements, PeopleStandOnWalkableCellsOfTheirOwnFloors) {
    for (uint8_t family : familyKinds) {
        std::vector<uint8_t> levels = buildSettlementLevels(family);
        std::vector<SettlementPeople> records = buildSettlementPeople(family, levels);
        ASSERT_EQ(records.size(), 8u);
        for (int place = 0; place < 32; ++place) {
            if (placeFamily(place) != family) {
                continue;
            }
            const SettlementPeople &record = records[place % 8];
            EXPECT_EQ(record.people[0].type, 0) << "slot 0 is never shown";
            int first, last, count = 0;
            placeLevels(place, first, last);
            for (int p = 1; p < 32; ++p) {
                const PersonSpec &person = record.people[p];
                if (person.type == 0) {
                    continue;
                }
                ++count;
                int level = (entryLevel[place] + person.floor) & 255;
                ASSERT_GE(level, first) << place;
                ASSERT_LE(level, last) << place;
                ASSERT_LE(person.column, 31);
                ASSERT_LE(person.row, 31);
                EXPECT_TRUE(isStandingTile(levels[level * 1024 + person.row * 32 + person.column]))
                    << "place " << place << " person " << p;
            }
            EXPECT_GE(count, 2) << place;
        }
    }
}

TEST(DemoWorldFiles, TwoRunsWriteTheSameBytes) {
    ScratchDir scratch;
    std::string problem;
    ASSERT_TRUE(writeDemoWorld(scratch.path + "/again", problem)) << problem;
    const fs::path first = demoWorldDirectory();
    int files = 0;
    for (const auto &entry : fs::recursive_directory_iterator(first)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        fs::path relative = fs::relative(entry.path(), first);
        Bytes a, b;
        ASSERT_TRUE(readBytes(entry.path().string(), a));
        ASSERT_TRUE(readBytes((fs::path(scratch.path) / "again" / relative).string(), b))
            << relative;
        EXPECT_TRUE(a == b) << relative;
        ++files;
    }
    int again = 0;
    for (const auto &entry : fs::recursive_directory_iterator(scratch.path + "/again")) {
        again += entry.is_regular_file();
    }
    EXPECT_EQ(files, again);
    // Per mode the tiles and 25 pictures; two fonts, four tables and world maps,
    // four character files, four settlement maps, eight pieces and music.ini.
    EXPECT_EQ(files, 2 * 26 + 2 + 4 + 4 + 4 + 8 + 1);
}
