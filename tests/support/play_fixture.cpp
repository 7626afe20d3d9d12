#include "play_fixture.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>

#include "1-app/display/video.h"
#include "2-play/game.h"
#include "2-play/commands.h"
#include "2-play/input_stack.h"
#include "2-play/locations.h"
#include "3-gfx/console.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "4-data/tile_names.h"
#include "formats/formats.h"

namespace {

std::vector<Said> printed;
std::vector<int> played;
// The records setPerson has filled, by family (kind - towne); the family's file
// buffer is written from them with the character-file writer.
std::vector<SettlementPeople> peopleOf[4];

void recordText(int continues, const char *text) {
    printed.push_back({continues, text});
}

void recordMusic(uint16_t n) {
    played.push_back(n);
}

void clearStore(uint8_t kind) {
    memset(mapStore(kind), 0, sizeof(MapCell) * mapStoreCells(kind));
}

} // namespace

void PrintTo(const Said &said, std::ostream *out) {
    *out << "{" << said.continues << ", \"";
    for (char c : said.text) {
        if (c == '\n') {
            *out << "\\n";
        } else {
            *out << c;
        }
    }
    *out << "\"}";
}

void PlayTest::SetUp() {
    // The console updates the video surface, so a (headless) video mode is needed.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    screen = SDL_SetVideoMode(screenWidth, screenHeight, 8, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr);
    Console.lineBreakPause = 0;
    setConsoleListener(recordText);
    setLocationMusicPlayer(recordMusic);
    printed.clear();
    played.clear();
    game = newGame();
    pushInputHandler(game.inputStack, mainCommandHandler, 0);
    for (std::vector<SettlementPeople> &people : peopleOf) {
        people.clear();
    }
    for (uint8_t kind = overworld; kind <= dwelling; kind++) {
        clearStore(kind);
        if (npcFileBuffer(kind) != nullptr) {
            memset(npcFileBuffer(kind), 0, npcFileSize);
        }
    }
    setSettlementCharacters(game, overworld, 0);
    selectMap(game, overworld, 0);
    setStartPosition(game);
}

void PlayTest::TearDown() {
    setConsoleListener(nullptr);
    setLocationMusicPlayer(nullptr);
    screen = nullptr;
    SDL_Quit();
}

void PlayTest::press(GameKey key) {
    InputHandlerFn handler = topHandler(game.inputStack);
    handler(game, key, topArgument(game.inputStack));
}

std::vector<Said> PlayTest::said() {
    std::vector<Said> out;
    out.swap(printed);
    return out;
}

std::vector<int> PlayTest::music() {
    std::vector<int> out;
    out.swap(played);
    return out;
}

void PlayTest::setSettlementTile(uint8_t kind, int level, int column, int row, uint8_t tile) {
    MapCell &cell = mapStore(kind)[level * levelCells + row * settlementSize + column];
    cell.baseTile = tile;
    cell.shownTile = tile;
}

void PlayTest::setWorldTile(uint8_t kind, int column, int row, uint8_t tile) {
    MapCell &cell = mapStore(kind)[row * worldSize + column];
    cell.baseTile = tile;
    cell.shownTile = tile;
}

void PlayTest::setPerson(uint8_t kind, int record, int slot, int column, int row, int floor,
                         int type) {
    std::vector<SettlementPeople> &people = peopleOf[kind - towne];
    if ((int)people.size() <= record) {
        people.resize(record + 1, SettlementPeople{});
    }
    people[record].people[slot] = {(uint8_t)column, (uint8_t)row, (uint8_t)floor, (uint8_t)type, 0};
    Bytes file = buildNpcFile(people);
    memcpy(npcFileBuffer(kind), file.data(), file.size());
}

void loadNumberedTileNames() {
    std::vector<std::string> names;
    for (int i = 0; i < 512; i++) {
        names.push_back(i < 256 ? "tile " + std::to_string(i)
                                : "person " + std::to_string(i - 256));
    }
    Bytes bytes = buildTileNameFile(names);
    ByteView file = viewOf(bytes);
    readTileNames(file);
}
