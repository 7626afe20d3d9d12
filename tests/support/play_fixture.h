// A game-play test bed: an off-screen surface for the console, a recorder of
// every printed text and every music request, empty maps, and the command handler
// alone on the input stack.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "2-play/game.h"
#include "2-play/game_keys.h"

struct Said {
    int continues;
    std::string text;
    bool operator==(const Said &other) const {
        return continues == other.continues && text == other.text;
    }
};

void PrintTo(const Said &said, std::ostream *out);

class PlayTest : public ::testing::Test {
  protected:
    // A fresh game: the command handler alone on its input stack, the overworld
    // at the start position, nobody about, the clock at 0.
    Game game;

    void SetUp() override;
    void TearDown() override;

    // Hands a key to the handler on top of the input stack, as the main loop does.
    void press(GameKey key);
    // What was printed since the last call, and forgets it.
    std::vector<Said> said();
    // Music numbers asked for since the last call, and forgets them.
    std::vector<int> music();

    // Puts tile on cell (column, row) of a settlement family's level (base and shown).
    static void setSettlementTile(uint8_t kind, int level, int column, int row, uint8_t tile);
    static void setWorldTile(uint8_t kind, int column, int row, uint8_t tile);
    // One person in record `record` of a family's character file.
    static void setPerson(uint8_t kind, int record, int slot, int column, int row, int floor,
                          int type);
};

// Loads tile names "tile N" for N = 0-255 and "person T" for name 256 + T.
void loadNumberedTileNames();
