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
        PlayerState.returnColumn = 40;
        PlayerState.returnRow = 50;
        selectMap(towne, 3);
        PlayerState.level = 3;
        PlayerState.floor = 2;
        PlayerState.locationNumber = 3;
        PlayerState.column = 15;
        PlayerState.row = 30;
    }
    // Walks off the level's edge at (column, row) in a direction and checks the question.
    void walkOff(int column, int row, GameKey direction, const char *word) {
        PlayerState.column = (uint8_t)column;
        PlayerState.row = (uint8_t)row;
        said();
        press(direction);
        EXPECT_EQ(said(),
                  (Texts{{1, std::string(word) + "\n\n"}, {1, "Dost thou wish\nto leave? "}}));
        EXPECT_EQ(PlayerState.column, column);
        EXPECT_EQ(PlayerState.row, row);
        EXPECT_EQ(PlayerState.mapKind, towne);
        EXPECT_EQ(GameClock, 0);
        EXPECT_EQ(inputStackDepth(), 2);
        EXPECT_EQ(topHandler(), yesNoPrompt);
    }
};

} // namespace

TEST_F(Commands, PassTakesAMinute) {
    press(' ');
    EXPECT_EQ(said(), (Texts{{0, "Pass\n\n"}}));
    EXPECT_EQ(GameClock, 1);
    EXPECT_EQ(inputStackDepth(), 1);
}

TEST_F(Commands, UnknownKeysAndCapitalsDoNothing) {
    for (GameKey key : std::vector<GameKey>{'E', 'K', 'L', 'x', 'y', 'n', 27, 13, 8, 1, 229, 300}) {
        press(key);
    }
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(GameClock, 0);
    EXPECT_EQ(inputStackDepth(), 1);
    EXPECT_EQ(PlayerState.column, 86);
    EXPECT_EQ(PlayerState.row, 109);
}

TEST_F(Commands, EnterWhereNothingLiesStillTakesAMinute) {
    press('e');
    EXPECT_EQ(said(), (Texts{{0, "Enter What?\n\n"}}));
    EXPECT_EQ(GameClock, 1);
}

TEST_F(Commands, TheClockGoesRoundOnceADay) {
    for (int i = 0; i < 1439; i++) {
        advanceClock();
    }
    EXPECT_EQ(GameClock, 1439);
    press(' ');
    EXPECT_EQ(GameClock, 0);
}

TEST_F(Commands, EachDirectionMovesOneCellAndTakesAMinute) {
    press(keyNorth);
    EXPECT_EQ(PlayerState.row, 108);
    press(keyEast);
    EXPECT_EQ(PlayerState.column, 87);
    press(keySouth);
    EXPECT_EQ(PlayerState.row, 109);
    press(keyWest);
    EXPECT_EQ(PlayerState.column, 86);
    EXPECT_EQ(said(),
              (Texts{{0, "North\n\n"}, {0, "East\n\n"}, {0, "South\n\n"}, {0, "West\n\n"}}));
    EXPECT_EQ(GameClock, 4);
}

TEST_F(Commands, WorldMapsWrapAtEveryEdge) {
    for (uint8_t kind : {overworld, underworld}) {
        selectMap(kind, 0);
        PlayerState.column = 255;
        PlayerState.row = 0;
        press(keyEast);
        EXPECT_EQ(PlayerState.column, 0);
        press(keyWest);
        EXPECT_EQ(PlayerState.column, 255);
        press(keyNorth);
        EXPECT_EQ(PlayerState.row, 255);
        press(keySouth);
        EXPECT_EQ(PlayerState.row, 0);
    }
    EXPECT_EQ(GameClock, 8);
    EXPECT_EQ(said()[0], (Said{0, "East\n\n"}));
}

TEST_F(Commands, AnyTileCanBeWalkedOn) {
    for (int tile = 0; tile < 256; tile++) {
        setWorldTile(overworld, 87 + tile % 2, 109, (uint8_t)tile);
        selectMap(overworld, 0);
        PlayerState.column = 86 + tile % 2;
        EXPECT_EQ(tryMove(keyEast), moved);
    }
}

TEST_F(SettlementMoves, InsideTheLevelAStepIsAMove) {
    press(keyNorth);
    EXPECT_EQ(said(), (Texts{{0, "North\n\n"}}));
    EXPECT_EQ(PlayerState.row, 29);
    EXPECT_EQ(GameClock, 1);
}

TEST_F(SettlementMoves, EveryEdgeAsksToLeaveAndNoKeepsThePlayer) {
    walkOff(31, 10, keyEast, "East");
    press('n');
    EXPECT_EQ(said(), (Texts{{0, "No\n\n"}}));
    EXPECT_EQ(inputStackDepth(), 1);

    walkOff(0, 10, keyWest, "West");
    press(27);
    EXPECT_EQ(said(), (Texts{{0, "No\n\n"}}));

    walkOff(10, 0, keyNorth, "North");
    press('n');
    walkOff(10, 31, keySouth, "South");
    press('n');
    EXPECT_EQ(PlayerState.column, 10);
    EXPECT_EQ(PlayerState.row, 31);
    EXPECT_EQ(PlayerState.mapKind, towne);
    EXPECT_EQ(GameClock, 0);
    EXPECT_TRUE(music().empty());
}

TEST_F(SettlementMoves, TheLeaveQuestionIgnoresOtherKeys) {
    walkOff(31, 10, keyEast, "East");
    for (GameKey key : std::vector<GameKey>{'Y', 'N', 'x', ' ', keyEast, keyNorth, 'e', 'l', 13}) {
        press(key);
    }
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(inputStackDepth(), 2);
    EXPECT_EQ(PlayerState.column, 31);
    EXPECT_EQ(GameClock, 0);
}

TEST_F(SettlementMoves, YesLeavesToTheEntranceCellWithoutAMinute) {
    walkOff(10, 0, keyNorth, "North");
    press('y');
    EXPECT_EQ(said(), (Texts{{1, "Yes\n\n"}, {0, "Exit to\nArvandell!\n\n"}}));
    EXPECT_EQ(inputStackDepth(), 1);
    EXPECT_EQ(PlayerState.mapKind, overworld);
    EXPECT_EQ(PlayerState.column, 40);
    EXPECT_EQ(PlayerState.row, 50);
    EXPECT_EQ(PlayerState.level, 0);
    EXPECT_EQ(CurrentMap.wraps, 1);
    EXPECT_EQ(music(), (std::vector<int>{1}));
    EXPECT_EQ(GameClock, 0);
}

namespace {

std::vector<GameKey> directions;

void recordDirection(GameKey key) {
    directions.push_back(key);
}

int yesCount = 0;

void countYes() {
    yesCount++;
}

} // namespace

TEST_F(Commands, TheDirectionPromptWaitsForADirectionOrSpace) {
    directions.clear();
    askDirection(recordDirection);
    for (GameKey key : std::vector<GameKey>{27, 'y', 'n', 'x', 13}) {
        press(key);
    }
    EXPECT_TRUE(said().empty());
    EXPECT_EQ(inputStackDepth(), 2);

    press(keyWest);
    EXPECT_EQ(said(), (Texts{{1, "West\n"}}));
    EXPECT_EQ(directions, (std::vector<GameKey>{keyWest}));
    EXPECT_EQ(inputStackDepth(), 1);
    EXPECT_EQ(GameClock, 0);

    askDirection(recordDirection);
    press(' ');
    EXPECT_EQ(said(), (Texts{{0, "Pass\n\n"}}));
    EXPECT_EQ(inputStackDepth(), 1);
    EXPECT_EQ(GameClock, 1);
    EXPECT_EQ(directions.size(), 1u);
}

TEST_F(Commands, TheYesNoPromptCallsItsActionOnYesOnly) {
    yesCount = 0;
    askYesNo(countYes);
    press('n');
    askYesNo(countYes);
    press(27);
    EXPECT_EQ(yesCount, 0);
    askYesNo(countYes);
    press('y');
    EXPECT_EQ(yesCount, 1);
    EXPECT_EQ(inputStackDepth(), 1);
    askYesNo(nullptr);
    press('y');
    EXPECT_EQ(said(), (Texts{{0, "No\n\n"}, {0, "No\n\n"}, {1, "Yes\n\n"}, {1, "Yes\n\n"}}));
    EXPECT_EQ(inputStackDepth(), 1);
    EXPECT_EQ(GameClock, 0);
}
