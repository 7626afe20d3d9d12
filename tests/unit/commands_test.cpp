#include <gtest/gtest.h>

#include "2-play/clock.h"
#include "2-play/commands.h"
#include "2-play/input_stack.h"
#include "2-play/prompts.h"
#include "4-data/maps.h"
#include "play_fixture.h"

namespace {

typedef std::vector<Said> Texts;

class Commands : public PlayTest {};

// A settlement level to walk on: towne level 0, entered as location 0 would be.
class SettlementMoves : public PlayTest {
  protected:
    void SetUp() override {
        PlayTest::SetUp();
        game.playerState.returnColumn = 40;
        game.playerState.returnRow = 50;
        selectMap(game, towne, 3);
        game.playerState.level = 3;
        game.playerState.floor = 2;
        game.playerState.locationNumber = 3;
        game.playerState.column = 15;
        game.playerState.row = 30;
    }
    // Walks off the level's edge at (column, row) in a direction and checks the question.
    void walkOff(int column, int row, GameKey direction, const char *word) {
        game.playerState.column = (uint8_t)column;
        game.playerState.row = (uint8_t)row;
        said();
        press(direction);
        EXPECT_EQ(said(),
                  (Texts{{1, std::string(word) + "\n\n"}, {1, "Dost thou wish\nto leave? "}}));
        EXPECT_EQ(game.playerState.column, column);
        EXPECT_EQ(game.playerState.row, row);
        EXPECT_EQ(game.playerState.mapKind, towne);
        EXPECT_EQ(game.gameClock, 0);
        EXPECT_EQ(inputStackDepth(game.inputStack), 2);
        EXPECT_EQ(topHandler(game.inputStack), yesNoPrompt);
    }
};

} // namespace

TEST_F(Commands, PassTakesAMinute) {
    press(' ');
    EXPECT_EQ(said(), (Texts{{0, "Pass\n\n"}}));
    EXPECT_EQ(game.gameClock, 1);
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
}

TEST_F(Commands, UnknownKeysAndCapitalsDoNothing) {
    for (GameKey key : std::vector<GameKey>{'E', 'K', 'L', 'x', 'y', 'n', 27, 13, 8, 1, 229, 300}) {
        press(key);
    }
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(game.gameClock, 0);
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    EXPECT_EQ(game.playerState.column, 86);
    EXPECT_EQ(game.playerState.row, 109);
}

TEST_F(Commands, EnterWhereNothingLiesStillTakesAMinute) {
    press('e');
    EXPECT_EQ(said(), (Texts{{0, "Enter What?\n\n"}}));
    EXPECT_EQ(game.gameClock, 1);
}

TEST_F(Commands, TheClockGoesRoundOnceADay) {
    for (int i = 0; i < 1439; i++) {
        advanceClock(game);
    }
    EXPECT_EQ(game.gameClock, 1439);
    press(' ');
    EXPECT_EQ(game.gameClock, 0);
}

TEST_F(Commands, EachDirectionMovesOneCellAndTakesAMinute) {
    press(keyNorth);
    EXPECT_EQ(game.playerState.row, 108);
    press(keyEast);
    EXPECT_EQ(game.playerState.column, 87);
    press(keySouth);
    EXPECT_EQ(game.playerState.row, 109);
    press(keyWest);
    EXPECT_EQ(game.playerState.column, 86);
    EXPECT_EQ(said(),
              (Texts{{0, "North\n\n"}, {0, "East\n\n"}, {0, "South\n\n"}, {0, "West\n\n"}}));
    EXPECT_EQ(game.gameClock, 4);
}

TEST_F(Commands, WorldMapsWrapAtEveryEdge) {
    for (uint8_t kind : {overworld, underworld}) {
        selectMap(game, kind, 0);
        game.playerState.column = 255;
        game.playerState.row = 0;
        press(keyEast);
        EXPECT_EQ(game.playerState.column, 0);
        press(keyWest);
        EXPECT_EQ(game.playerState.column, 255);
        press(keyNorth);
        EXPECT_EQ(game.playerState.row, 255);
        press(keySouth);
        EXPECT_EQ(game.playerState.row, 0);
    }
    EXPECT_EQ(game.gameClock, 8);
    EXPECT_EQ(said()[0], (Said{0, "East\n\n"}));
}

TEST_F(Commands, AnyTileCanBeWalkedOn) {
    for (int tile = 0; tile < 256; tile++) {
        setWorldTile(overworld, 87 + tile % 2, 109, (uint8_t)tile);
        selectMap(game, overworld, 0);
        game.playerState.column = 86 + tile % 2;
        EXPECT_EQ(tryMove(game, keyEast), moved);
    }
}

TEST_F(SettlementMoves, InsideTheLevelAStepIsAMove) {
    press(keyNorth);
    EXPECT_EQ(said(), (Texts{{0, "North\n\n"}}));
    EXPECT_EQ(game.playerState.row, 29);
    EXPECT_EQ(game.gameClock, 1);
}

TEST_F(SettlementMoves, EveryEdgeAsksToLeaveAndNoKeepsThePlayer) {
    walkOff(31, 10, keyEast, "East");
    press('n');
    EXPECT_EQ(said(), (Texts{{0, "No\n\n"}}));
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);

    walkOff(0, 10, keyWest, "West");
    press(27);
    EXPECT_EQ(said(), (Texts{{0, "No\n\n"}}));

    walkOff(10, 0, keyNorth, "North");
    press('n');
    walkOff(10, 31, keySouth, "South");
    press('n');
    EXPECT_EQ(game.playerState.column, 10);
    EXPECT_EQ(game.playerState.row, 31);
    EXPECT_EQ(game.playerState.mapKind, towne);
    EXPECT_EQ(game.gameClock, 0);
    EXPECT_TRUE(music().empty());
}

TEST_F(SettlementMoves, TheLeaveQuestionIgnoresOtherKeys) {
    walkOff(31, 10, keyEast, "East");
    for (GameKey key : std::vector<GameKey>{'Y', 'N', 'x', ' ', keyEast, keyNorth, 'e', 'l', 13}) {
        press(key);
    }
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(inputStackDepth(game.inputStack), 2);
    EXPECT_EQ(game.playerState.column, 31);
    EXPECT_EQ(game.gameClock, 0);
}

TEST_F(SettlementMoves, YesLeavesToTheEntranceCellWithoutAMinute) {
    walkOff(10, 0, keyNorth, "North");
    press('y');
    EXPECT_EQ(said(), (Texts{{1, "Yes\n\n"}, {0, "Exit to\nArvandell!\n\n"}}));
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    EXPECT_EQ(game.playerState.mapKind, overworld);
    EXPECT_EQ(game.playerState.column, 40);
    EXPECT_EQ(game.playerState.row, 50);
    EXPECT_EQ(game.playerState.level, 0);
    EXPECT_EQ(game.currentMap.wraps, 1);
    EXPECT_EQ(music(), (std::vector<int>{1}));
    EXPECT_EQ(game.gameClock, 0);
}

namespace {

std::vector<GameKey> directions;

void recordDirection(Game &, GameKey key) {
    directions.push_back(key);
}

int yesCount = 0;

void countYes(Game &) {
    yesCount++;
}

} // namespace

TEST_F(Commands, TheDirectionPromptWaitsForADirectionOrSpace) {
    directions.clear();
    askDirection(game, recordDirection);
    for (GameKey key : std::vector<GameKey>{27, 'y', 'n', 'x', 13}) {
        press(key);
    }
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(inputStackDepth(game.inputStack), 2);

    press(keyWest);
    EXPECT_EQ(said(), (Texts{{1, "West\n"}}));
    EXPECT_EQ(directions, (std::vector<GameKey>{keyWest}));
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    EXPECT_EQ(game.gameClock, 0);

    askDirection(game, recordDirection);
    press(' ');
    EXPECT_EQ(said(), (Texts{{0, "Pass\n\n"}}));
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    EXPECT_EQ(game.gameClock, 1);
    EXPECT_EQ(directions.size(), 1u);
}

TEST_F(Commands, TheYesNoPromptCallsItsActionOnYesOnly) {
    yesCount = 0;
    askYesNo(game, countYes);
    press('n');
    askYesNo(game, countYes);
    press(27);
    EXPECT_EQ(yesCount, 0);
    askYesNo(game, countYes);
    press('y');
    EXPECT_EQ(yesCount, 1);
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    askYesNo(game, nullptr);
    press('y');
    EXPECT_EQ(said(), (Texts{{0, "No\n\n"}, {0, "No\n\n"}, {1, "Yes\n\n"}, {1, "Yes\n\n"}}));
    EXPECT_EQ(inputStackDepth(game.inputStack), 1);
    EXPECT_EQ(game.gameClock, 0);
}
