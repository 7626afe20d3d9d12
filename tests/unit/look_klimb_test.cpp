#include <gtest/gtest.h>

#include "2-play/clock.h"
#include "2-play/input_stack.h"
#include "2-play/look_klimb.h"
#include "2-play/prompts.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "4-data/tile_names.h"
#include "play_fixture.h"

namespace {

typedef std::vector<Said> Texts;

class Look : public PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        loadNumberedTileNames();
    }
    void TearDown() override {
        freeTileNames();
        PlayTest::TearDown();
    }
    // Enters towne level 2 as floor 0 at (column, row), with record 1's people.
    void standInTown(int column, int row) {
        selectMap(game, towne, 2);
        game.playerState.level = 2;
        game.playerState.floor = 0;
        game.playerState.column = (uint8_t)column;
        game.playerState.row = (uint8_t)row;
        setSettlementCharacters(game, towne, 1);
    }
    // The whole exchange of l and a direction; the name line is returned.
    std::string lookTowards(GameKey direction) {
        said();
        press('l');
        EXPECT_EQ(inputStackDepth(game.inputStack), 2);
        press(direction);
        Texts texts = said();
        EXPECT_EQ(texts.size(), 4u);
        EXPECT_EQ(inputStackDepth(game.inputStack), 1);
        if (texts.size() != 4) {
            return "";
        }
        EXPECT_EQ(texts[0], (Said{1, "Look-"}));
        EXPECT_EQ(texts[2], (Said{1, "\nThou dost see\n"}));
        EXPECT_EQ(texts[3].continues, 0);
        return texts[1].text + texts[3].text;
    }
};

} // namespace

TEST_F(Look, NamesTheNeighbouringTileWithoutTakingAMinute) {
    setWorldTile(overworld, 86, 108, 7);
    selectMap(game, overworld, 0);
    EXPECT_EQ(lookTowards(keyNorth), "North\ntile 7\n\n");
    EXPECT_EQ(game.gameClock, 0);
    EXPECT_EQ(game.playerState.row, 109);
}

TEST_F(Look, SpaceInItsPromptPassesAMinute) {
    press('l');
    press(' ');
    EXPECT_EQ(said(), (Texts{{1, "Look-"}, {0, "Pass\n\n"}}));
    EXPECT_EQ(game.gameClock, 1);
}

TEST_F(Look, WorldMapsWrapForLookToo) {
    setWorldTile(overworld, 255, 0, 9);
    setWorldTile(overworld, 0, 255, 11);
    selectMap(game, overworld, 0);
    game.playerState.column = 0;
    game.playerState.row = 0;
    EXPECT_EQ(lookTowards(keyWest), "West\ntile 9\n\n");
    EXPECT_EQ(lookTowards(keyNorth), "North\ntile 11\n\n");
}

TEST_F(Look, OffASettlementLevelTheFillerCellIsSeen) {
    setSettlementTile(towne, 2, 31, 31, 44);
    setSettlementTile(towne, 2, 31, 0, 45);
    standInTown(0, 0);
    EXPECT_EQ(lookTowards(keyWest), "West\ntile 44\n\n");
    EXPECT_EQ(lookTowards(keyNorth), "North\ntile 44\n\n");
    game.playerState.column = 31;
    EXPECT_EQ(lookTowards(keyEast), "East\ntile 44\n\n");
    EXPECT_EQ(lookTowards(keySouth), "South\ntile 0\n\n");
}

TEST_F(Look, ThePersonOfThePlayersFloorIsNamedTheHighestSlotWinning) {
    setSettlementTile(towne, 2, 10, 9, 3);
    setPerson(towne, 1, 4, 10, 9, 0, 30);
    setPerson(towne, 1, 9, 10, 9, 0, 31);
    setPerson(towne, 1, 12, 10, 9, 1, 32); // another floor
    setPerson(towne, 1, 20, 10, 9, 0, 0);  // nobody
    setPerson(towne, 1, 0, 10, 11, 0, 33); // slot 0 is never seen
    standInTown(10, 10);
    EXPECT_EQ(lookTowards(keyNorth), "North\nperson 31\n\n");
    EXPECT_EQ(lookTowards(keySouth), "South\ntile 0\n\n");

    game.playerState.floor = 1;
    EXPECT_EQ(lookTowards(keyNorth), "North\nperson 32\n\n");
    game.playerState.floor = 2;
    EXPECT_EQ(lookTowards(keyNorth), "North\ntile 3\n\n");
}

TEST_F(Look, PeopleAreNotSeenOnceTheSettlementIsLeft) {
    setPerson(towne, 1, 4, 86, 108, 0, 30);
    standInTown(10, 10);
    setSettlementCharacters(game, overworld, 0);
    selectMap(game, overworld, 0);
    game.playerState.column = 86;
    game.playerState.row = 109;
    EXPECT_EQ(lookTowards(keyNorth), "North\ntile 0\n\n");
}

namespace {

class Klimb : public PlayTest {
  protected:
    // Castle family, level `level`, entry floor 0, standing at (5, 6) on `tile`.
    void standOn(int level, uint8_t tile) {
        setSettlementTile(castle, level, 5, 6, tile);
        selectMap(game, castle, level);
        game.playerState.level = (uint8_t)level;
        game.playerState.floor = 0;
        game.playerState.column = 5;
        game.playerState.row = 6;
    }
    void expectStill(int level) {
        EXPECT_EQ(game.playerState.level, level);
        EXPECT_EQ(game.playerState.floor, 0);
        EXPECT_EQ(game.currentMap.cells, mapStore(castle) + level * levelCells);
        EXPECT_EQ(game.gameClock, 0);
        EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    }
};

} // namespace

TEST_F(Klimb, OnAWorldMapThereIsNothingToClimbWith) {
    for (uint8_t kind : {overworld, underworld}) {
        setWorldTile(kind, 86, 109, ladderUpTile);
        selectMap(game, kind, 0);
        press('k');
        EXPECT_EQ(said(), (Texts{{0, "Klimb-With what?\n\n"}}));
        EXPECT_EQ(game.playerState.mapKind, kind);
    }
    EXPECT_EQ(game.gameClock, 2);
}

TEST_F(Klimb, ALadderUpLeadsToTheNextLevelOnTheSameCell) {
    standOn(6, ladderUpTile);
    setSettlementTile(castle, 7, 5, 6, 77);
    press('k');
    EXPECT_EQ(said(), (Texts{{0, "Klimb-up!\n\n"}}));
    EXPECT_EQ(game.playerState.level, 7);
    EXPECT_EQ(game.playerState.floor, 1);
    EXPECT_EQ(game.playerState.mapKind, castle);
    EXPECT_EQ(game.playerState.column, 5);
    EXPECT_EQ(game.playerState.row, 6);
    EXPECT_EQ(tileAt(game, 5, 6), 77);
    EXPECT_EQ(game.gameClock, 1);
}

TEST_F(Klimb, ALadderDownBelowTheEntryFloorGivesFloor255) {
    standOn(6, ladderDownTile);
    press('k');
    EXPECT_EQ(said(), (Texts{{0, "Klimb-down!\n\n"}}));
    EXPECT_EQ(game.playerState.level, 5);
    EXPECT_EQ(game.playerState.floor, 255);
    EXPECT_EQ(game.currentMap.cells, mapStore(castle) + 5 * levelCells);
    EXPECT_EQ(game.gameClock, 1);
}

TEST_F(Klimb, OffALadderItAsksForADirectionAndAnswersWhat) {
    standOn(6, 40);
    press('k');
    EXPECT_EQ(said(), (Texts{{1, "Klimb-"}}));
    EXPECT_EQ(inputStackDepth(game.inputStack), 2);
    press(27); // ignored: only a direction or space answers
    press(keyEast);
    EXPECT_EQ(said(), (Texts{{1, "East\n"}, {0, "What?\n\n"}}));
    expectStill(6);
    EXPECT_EQ(game.playerState.column, 5);

    press('k');
    press(' ');
    EXPECT_EQ(said(), (Texts{{1, "Klimb-"}, {0, "Pass\n\n"}}));
    EXPECT_EQ(game.gameClock, 1);
}

TEST_F(Klimb, LaddersPastTheFamilysLevelsAreRefused) {
    standOn(15, ladderUpTile);
    press('k');
    EXPECT_EQ(said(), (Texts{{1, "Klimb-"}, {0, "What?\n\n"}}));
    expectStill(15);

    standOn(0, ladderDownTile);
    press('k');
    EXPECT_EQ(said(), (Texts{{1, "Klimb-"}, {0, "What?\n\n"}}));
    expectStill(0);
}

TEST_F(Klimb, PeopleOfTheNewFloorAreSeenAfterClimbing) {
    loadNumberedTileNames();
    setPerson(castle, 2, 3, 5, 5, 1, 40);
    standOn(6, ladderUpTile);
    setSettlementCharacters(game, castle, 2);
    press('l');
    press(keyNorth);
    EXPECT_EQ(said().back(), (Said{0, "tile 0\n\n"}));
    press('k');
    press('l');
    press(keyNorth);
    EXPECT_EQ(said().back(), (Said{0, "person 40\n\n"}));
    freeTileNames();
}
