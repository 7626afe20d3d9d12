#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "2-play/clock.h"
#include "2-play/input_stack.h"
#include "2-play/locations.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"
#include "play_fixture.h"

namespace {

typedef std::vector<int> Numbers;

int columnOf(int i) {
    return 10 + 5 * i;
}

int rowOf(int i) {
    return 20 + 3 * i;
}

class Locations : public PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        for (int i = 0; i < locationCount; i++) {
            locations[i].column = columnOf(i);
            locations[i].row = rowOf(i);
            std::string name = i == 13 ? "" : "Place" + std::to_string(i);
            locations[i].name = strdup(name.c_str());
        }
    }
    void TearDown() override {
        freeLocationNames();
        PlayTest::TearDown();
    }
    // Stands on location i's cell of a world map and presses e.
    void enterAt(uint8_t kind, int i) {
        selectMap(game, kind, 0);
        game.playerState.column = (uint8_t)columnOf(i);
        game.playerState.row = (uint8_t)rowOf(i);
        said();
        press('e');
    }
    // The answer as one text; every piece but the last must be continued and the
    // last finished.
    std::string answer() {
        std::vector<Said> texts = said();
        std::string all;
        for (size_t k = 0; k < texts.size(); k++) {
            EXPECT_EQ(texts[k].continues, k + 1 < texts.size() ? 1 : 0) << "piece " << k;
            all += texts[k].text;
        }
        return all;
    }
    void expectIn(uint8_t kind, int level, int record) {
        EXPECT_EQ(game.playerState.mapKind, kind);
        EXPECT_EQ(game.playerState.level, level);
        EXPECT_EQ(game.currentMap.cells, mapStore(kind) + level * levelCells);
        EXPECT_EQ(game.playerState.column, 15);
        EXPECT_EQ(game.playerState.row, 30);
        EXPECT_EQ(game.playerState.floor, 0);
        EXPECT_EQ(game.currentCharacterRecord, npcFileBuffer(kind) + record * npcRecordSize);
    }
    void expectReturnTo(int i) {
        EXPECT_EQ(game.playerState.returnColumn, columnOf(i));
        EXPECT_EQ(game.playerState.returnRow, rowOf(i));
    }
};

struct SettlementCase {
    int number;
    uint8_t kind;
    int level;
    int record;
    int music;
    const char *answer;
};

// One location of every kind of settlement; the name "PlaceN" is centred on the
// 16-column line.
const SettlementCase settlementCases[] = {
    {0, towne, 0, 0, 10, "Enter towne\n\n     Place0\n\n"},
    {7, towne, 14, 7, 11, "Enter towne\n\n     Place7\n\n"},
    {9, dwelling, 3, 1, 37, "Enter\nlighthouse\n\n     Place9\n\n"},
    {12, dwelling, 12, 4, 21, "Enter hut\n\n    Place12\n\n"},
    {13, dwelling, 13, 5, 23, "Enter hut\n\n"},
    {16, castle, 1, 0, 16, "Enter the\nCastle of Lord\nOstrand!\n\n"},
    {17, castle, 6, 1, 15, "Enter the\nCastle of Lord\nHaldervine!\n\n"},
    {20, castle, 12, 4, 26, "Enter village\n\n    Place20\n\n"},
    {25, keep, 2, 1, 31, "Enter keep\n\n    Place25\n\n"},
    {31, keep, 14, 7, 19, "Enter keep\n\n    Place31\n\n"},
};

} // namespace

TEST_F(Locations, EverySettlementFamilyIsEnteredOnItsLevelWithItsPeopleAndMusic) {
    for (const SettlementCase &c : settlementCases) {
        SCOPED_TRACE(c.number);
        setPerson(c.kind, c.record, 1, 1, 1, 0, 50 + c.number);
        game.gameClock = 0;
        enterAt(overworld, c.number);
        EXPECT_EQ(answer(), c.answer);
        expectIn(c.kind, c.level, c.record);
        EXPECT_EQ(game.npcSlots[1].type, 50 + c.number);
        EXPECT_EQ(game.playerState.locationNumber, c.number);
        expectReturnTo(c.number);
        EXPECT_EQ(music(), (Numbers{c.music}));
        EXPECT_EQ(game.gameClock, 1);
    }
}

TEST_F(Locations, LeavingFromAnUpperFloorReturnsToTheEntranceCell) {
    enterAt(overworld, 3);
    game.playerState.floor = 2;
    game.playerState.level = 9;
    selectMap(game, towne, 9);
    game.playerState.column = 31;
    said();
    music();
    press(39); // east, off the level
    press('y');
    EXPECT_EQ(answer(), "East\n\nDost thou wish\nto leave? Yes\n\nExit to\nArvandell!\n\n");
    EXPECT_EQ(game.playerState.mapKind, overworld);
    EXPECT_EQ(game.playerState.column, columnOf(3));
    EXPECT_EQ(game.playerState.row, rowOf(3));
    EXPECT_EQ(game.playerState.level, 0);
    EXPECT_EQ(game.currentCharacterRecord, nullptr);
    EXPECT_EQ(music(), (Numbers{1}));
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
}

TEST_F(Locations, ADungeonEntranceLeadsDownAndUpOnTheSameCell) {
    enterAt(overworld, 32);
    EXPECT_EQ(answer(), "Enter 32\n\n");
    EXPECT_EQ(game.playerState.mapKind, underworld);
    EXPECT_EQ(game.currentMap.wraps, 1);
    EXPECT_EQ(game.playerState.column, columnOf(32));
    EXPECT_EQ(game.playerState.row, rowOf(32));
    expectReturnTo(32);
    EXPECT_EQ(music(), (Numbers{1}));

    press('e');
    EXPECT_EQ(answer(), "Enter 32\n\n");
    EXPECT_EQ(game.playerState.mapKind, overworld);
    EXPECT_EQ(game.playerState.column, columnOf(32));
    EXPECT_EQ(music(), (Numbers{1}));
    EXPECT_EQ(game.gameClock, 2);
}

TEST_F(Locations, LocationsThirtyNineAndTwentyFourOnTheOverworldOnlyAnswer) {
    for (int i : {39, 24}) {
        enterAt(overworld, i);
        EXPECT_EQ(answer(), "Enter " + std::to_string(i) + "\n\n");
        EXPECT_EQ(game.playerState.mapKind, overworld);
        EXPECT_EQ(game.playerState.column, columnOf(i));
        expectReturnTo(i);
        EXPECT_TRUE(music().empty());
    }
    // From below, 39 is a way up like the other entrances.
    enterAt(underworld, 39);
    EXPECT_EQ(answer(), "Enter 39\n\n");
    EXPECT_EQ(game.playerState.mapKind, overworld);
}

TEST_F(Locations, TheKeepBelowIsLeftToTheEntranceTakenDown) {
    enterAt(overworld, 35);
    game.playerState.column = (uint8_t)columnOf(24);
    game.playerState.row = (uint8_t)rowOf(24);
    said();
    press('e');
    EXPECT_EQ(answer(), "Enter keep\n\n    Place24\n\n");
    expectIn(keep, 0, 0);
    expectReturnTo(35);
    EXPECT_EQ(music(), (Numbers{1, 30}));

    leaveLocation(game);
    EXPECT_EQ(game.playerState.mapKind, overworld);
    EXPECT_EQ(game.playerState.column, columnOf(35));
    EXPECT_EQ(game.playerState.row, rowOf(35));
}

TEST_F(Locations, WhereNoWayInIsTheAnswerIsEnterWhat) {
    // The other keeps lie on the overworld only, whatever cell they share below.
    for (int i : {25, 31}) {
        enterAt(underworld, i);
        EXPECT_EQ(answer(), "Enter What?\n\n");
        EXPECT_EQ(game.playerState.mapKind, underworld);
    }
    // Towns are not reachable from below either.
    enterAt(underworld, 0);
    EXPECT_EQ(answer(), "Enter What?\n\n");

    // Inside a settlement, even on a location's world position.
    enterAt(overworld, 1);
    game.playerState.column = (uint8_t)columnOf(1);
    game.playerState.row = (uint8_t)rowOf(1);
    said();
    press('e');
    EXPECT_EQ(answer(), "Enter What?\n\n");
    EXPECT_EQ(game.playerState.mapKind, towne);
    EXPECT_EQ(game.gameClock, 5);
}

TEST_F(Locations, TheFirstLocationOnACellWins) {
    locations[5].column = columnOf(2);
    locations[5].row = rowOf(2);
    enterAt(overworld, 2);
    EXPECT_EQ(game.playerState.locationNumber, 2);
    // Below, an entrance sharing a cell with a keep of the overworld is still usable.
    locations[33].column = columnOf(26);
    locations[33].row = rowOf(26);
    enterAt(underworld, 26);
    EXPECT_EQ(answer(), "Enter 33\n\n");
    EXPECT_EQ(game.playerState.mapKind, overworld);
}

TEST_F(Locations, TheStartIsOnTheOverworldAt86And109) {
    game.playerState = {};
    setStartPosition(game);
    EXPECT_EQ(game.playerState.column, 86);
    EXPECT_EQ(game.playerState.row, 109);
    EXPECT_EQ(game.playerState.viewCentreColumn, 5);
    EXPECT_EQ(game.playerState.viewCentreRow, 5);
    EXPECT_EQ(game.playerState.playerTile, 28);
}
