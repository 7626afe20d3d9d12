#include <gtest/gtest.h>

#include "1-app/display/video.h"
#include "2-play/game.h"
#include "2-play/animation.h"
#include "2-play/clock.h"
#include "3-gfx/blit.h"
#include "3-gfx/character_view.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/map_view.h"
#include "3-gfx/screen_pass.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "gfx_fixture.h"
#include "synthetic_store.h"

namespace {

const int plainTile = 10;
const int fillerTile = 90;
const int playerSprite = 28;

void fillStore(uint8_t kind, uint8_t tile) {
    MapCell *cells = mapStore(kind);
    for (int k = 0; k < mapStoreCells(kind); k++) {
        cells[k] = {tile, tile, 0};
    }
}

void setCell(uint8_t kind, int width, int column, int row, uint8_t tile) {
    mapStore(kind)[row * width + column] = {tile, tile, 0};
}

// A settlement level whose cell (c, r) holds a still tile of its own, 160 + ...,
// and whose filler cell (31, 31) holds fillerTile.
uint8_t levelTile(int c, int r) {
    return (uint8_t)(160 + (c * 3 + r * 5) % 60);
}

void buildTestLevel(Game &game) {
    for (int r = 0; r < settlementSize; r++) {
        for (int c = 0; c < settlementSize; c++) {
            setCell(towne, settlementSize, c, r, levelTile(c, r));
        }
    }
    setCell(towne, settlementSize, fillerColumn, fillerRow, fillerTile);
    selectMap(game, towne, 0);
}

class MapViewTest : public ::testing::Test {
  protected:
    Game game = newGame();
    void SetUp() override {
        openTestScreen();
        buildSyntheticStore();
        game.animationFrame = 0;
        game.gameClock = 0;
        game.playerState = {};
        game.playerState.viewCentreColumn = 5;
        game.playerState.viewCentreRow = 5;
        game.playerState.playerTile = playerSprite;
        game.currentCharacterRecord = nullptr;
        for (NpcSlot &slot : game.npcSlots) {
            slot = {};
        }
        fillStore(overworld, plainTile);
        fillStore(towne, plainTile);
    }
    void TearDown() override {
        game.currentCharacterRecord = nullptr;
        game.animationFrame = 0;
        freeSyntheticStore();
    }
    static SDL_Surface *tile(int t) {
        return graphicsStore.tileTable[t].surface;
    }
    static SDL_Surface *sprite(int n) {
        return graphicsStore.spriteTiles[n];
    }
    void placePlayer(int column, int row) {
        game.playerState.column = (uint8_t)column;
        game.playerState.row = (uint8_t)row;
    }
    // People of the test level; the record pointer only needs to be set.
    void enterSettlement() {
        buildTestLevel(game);
        game.currentCharacterRecord = npcFileBuffer(towne);
    }
    void putCharacter(int slot, int column, int row, int type, int floor = 0) {
        game.npcSlots[slot] = {(uint8_t)column, (uint8_t)row, (uint8_t)floor, 0, (uint8_t)type};
    }
    // Every view cell shows terrain as the level and the filler cell say.
    void expectLevelView() {
        for (int i = 0; i < viewCells; i++) {
            for (int j = 0; j < viewCells; j++) {
                int x = game.playerState.column + i - 5;
                int y = game.playerState.row + j - 5;
                bool off = x < 0 || y < 0 || x >= 32 || y >= 32;
                bool filler = off || (x == fillerColumn && y == fillerRow);
                int t = filler ? fillerTile : levelTile(x, y);
                EXPECT_TRUE(viewCellShows(tile(t), i, j)) << "view cell " << i << "," << j;
            }
        }
    }
};

} // namespace

TEST_F(MapViewTest, WorldMapWrapsAcrossTheLeftEdge) {
    for (int r = 0; r < worldSize; r++) {
        for (int c = 0; c < 8; c++) {
            setCell(overworld, worldSize, c, r, (uint8_t)(30 + c));
        }
        for (int c = 253; c < 256; c++) {
            setCell(overworld, worldSize, c, r, (uint8_t)(20 + c - 253));
        }
    }
    selectMap(game, overworld, 0);
    placePlayer(2, 100);
    drawTerrain(viewOf(game));
    for (int j = 0; j < viewCells; j++) {
        for (int i = 0; i < 3; i++) {
            EXPECT_TRUE(viewCellShows(tile(20 + i), i, j)) << "map column " << 253 + i;
        }
        for (int i = 3; i < viewCells; i++) {
            EXPECT_TRUE(viewCellShows(tile(30 + i - 3), i, j)) << "map column " << i - 3;
        }
    }
}

TEST_F(MapViewTest, WorldMapWrapsAcrossTopAndBottom) {
    for (int c = 0; c < worldSize; c++) {
        setCell(overworld, worldSize, c, 252, 21);
        setCell(overworld, worldSize, c, 255, 22);
        setCell(overworld, worldSize, c, 0, 23);
        setCell(overworld, worldSize, c, 3, 24);
    }
    selectMap(game, overworld, 0);
    placePlayer(128, 1);
    drawTerrain(viewOf(game));
    EXPECT_TRUE(viewCellShows(tile(21), 0, 0));
    EXPECT_TRUE(viewCellShows(tile(22), 10, 3));
    EXPECT_TRUE(viewCellShows(tile(23), 4, 4));
    placePlayer(128, 254);
    drawTerrain(viewOf(game));
    EXPECT_TRUE(viewCellShows(tile(22), 7, 6));
    EXPECT_TRUE(viewCellShows(tile(23), 7, 7));
    EXPECT_TRUE(viewCellShows(tile(24), 7, 10)) << "row 254 + 5 is row 3";
}

TEST_F(MapViewTest, SettlementEdgesShowTheFillerCell) {
    buildTestLevel(game);
    const int positions[][2] = {{10, 0},  {10, 31}, {0, 12}, {31, 12}, // edges
                                {0, 0},   {31, 0},  {0, 31}, {31, 31}, // corners
                                {15, 15}, {4, 27}};
    for (const auto &p : positions) {
        fillScreen(0);
        placePlayer(p[0], p[1]);
        drawTerrain(viewOf(game));
        SCOPED_TRACE(testing::Message() << "player at " << p[0] << "," << p[1]);
        expectLevelView();
    }
}

TEST_F(MapViewTest, CharactersWithinFiveCellsAreDrawnBeyondAreNot) {
    enterSettlement();
    placePlayer(10, 10);
    putCharacter(1, 15, 15, 50); // exactly 5 away: bottom-right corner
    putCharacter(2, 5, 5, 51);   // top-left corner
    putCharacter(3, 16, 10, 52); // 6 away
    putCharacter(4, 10, 4, 53);  // 6 away
    drawTerrain(viewOf(game));
    drawCharacters(viewOf(game));
    EXPECT_TRUE(viewCellShows(sprite(50), 10, 10));
    EXPECT_TRUE(viewCellShows(sprite(51), 0, 0));
    EXPECT_TRUE(viewCellShows(sprite(playerSprite), 5, 5));
    EXPECT_TRUE(viewCellShows(tile(levelTile(15, 10)), 10, 5));
    EXPECT_TRUE(viewCellShows(tile(levelTile(10, 5)), 5, 0));
    EXPECT_TRUE(regionFilled(0, 0, 16, 400, 0)) << "nothing drawn left of the view";
    EXPECT_TRUE(regionFilled(368, 0, 272, 400, 0)) << "nothing drawn right of the view";
}

TEST_F(MapViewTest, OnlyVisiblePeopleOfThisFloorAreDrawn) {
    enterSettlement();
    placePlayer(10, 10);
    game.playerState.floor = 1;
    putCharacter(0, 11, 10, 60, 1); // slot 0 is never drawn
    putCharacter(1, 12, 10, 61, 0); // another floor
    putCharacter(2, 13, 10, 0, 1);  // nobody
    putCharacter(3, 14, 10, 63, 1); // drawn
    drawTerrain(viewOf(game));
    drawCharacters(viewOf(game));
    EXPECT_TRUE(viewCellShows(tile(levelTile(11, 10)), 6, 5));
    EXPECT_TRUE(viewCellShows(tile(levelTile(12, 10)), 7, 5));
    EXPECT_TRUE(viewCellShows(tile(levelTile(13, 10)), 8, 5));
    EXPECT_TRUE(viewCellShows(sprite(63), 9, 5));
}

TEST_F(MapViewTest, ReachIsComparedWithoutWrappingColumns) {
    enterSettlement();
    placePlayer(2, 2);
    putCharacter(1, 255, 2, 64); // 8-bit arithmetic would put it 3 cells west
    putCharacter(2, 2, 254, 65);
    drawTerrain(viewOf(game));
    drawCharacters(viewOf(game));
    EXPECT_TRUE(viewCellShows(tile(fillerTile), 2, 5));
    EXPECT_TRUE(viewCellShows(tile(fillerTile), 5, 2));
}

TEST_F(MapViewTest, LaterSlotsAndThePlayerCoverEarlierOnes) {
    enterSettlement();
    placePlayer(10, 10);
    putCharacter(1, 9, 9, 54);
    putCharacter(7, 9, 9, 55);
    putCharacter(2, 10, 10, 56);
    drawTerrain(viewOf(game));
    drawCharacters(viewOf(game));
    EXPECT_TRUE(viewCellShows(sprite(55), 4, 4));
    EXPECT_TRUE(viewCellShows(sprite(playerSprite), 5, 5));
}

TEST_F(MapViewTest, WorldMapsShowNoCharacters) {
    selectMap(game, overworld, 0);
    placePlayer(10, 10);
    putCharacter(1, 11, 10, 50); // left over from the last settlement
    drawTerrain(viewOf(game));
    drawCharacters(viewOf(game));
    EXPECT_FALSE(characterVisible(viewOf(game), 1));
    EXPECT_TRUE(viewCellShows(tile(plainTile), 6, 5));
    EXPECT_TRUE(viewCellShows(sprite(playerSprite), 5, 5));
}

TEST_F(MapViewTest, SpriteOutsideTheViewIsNotDrawn) {
    fillScreen(7);
    placePlayer(10, 10);
    drawSprite(viewOf(game), 16, 10, 50);
    drawSprite(viewOf(game), 10, 4, 50);
    game.playerState.viewCentreColumn = 200;
    drawSprite(viewOf(game), 10, 10, 50);
    EXPECT_TRUE(regionFilled(0, 0, 640, 400, 7));
}

TEST_F(MapViewTest, ScrollingTileMovesDownTwoPixelsPerFrame) {
    selectMap(game, overworld, 0);
    setCell(overworld, worldSize, 50, 50, 1);
    selectMap(game, overworld, 0);
    placePlayer(50, 50);
    drawTerrain(viewOf(game));
    EXPECT_TRUE(viewCellShows(tile(1), 5, 5)) << "frame 0: unshifted";
    game.animationFrame = 15;
    drawTerrain(viewOf(game));
    int x = viewCellX(5), y = viewCellY(5);
    EXPECT_TRUE(regionMatches(x, y + 30, tile(1), 0, 0, 32, 2)) << "first rows at the bottom";
    EXPECT_TRUE(regionMatches(x, y, tile(1), 0, 2, 32, 30)) << "the rest wrapped to the top";
    EXPECT_TRUE(viewCellShows(tile(plainTile), 5, 4)) << "neighbours untouched";
    EXPECT_TRUE(viewCellShows(tile(plainTile), 5, 6));
}

TEST_F(MapViewTest, OverlayShowsFlowingTileThreeThroughItsKeyColour) {
    setCell(overworld, worldSize, 50, 50, 52);
    selectMap(game, overworld, 0);
    placePlayer(50, 50);
    game.animationFrame = 3;
    drawTerrain(viewOf(game));
    int x = viewCellX(5), y = viewCellY(5);
    // The synthetic overlay is transparent in its left half.
    EXPECT_TRUE(regionMatches(x, y + 6, tile(3), 0, 0, 16, 26));
    EXPECT_TRUE(regionMatches(x, y, tile(3), 0, 26, 16, 6));
    EXPECT_TRUE(regionFilled(x + 16, y, 16, 32, 52));
}

TEST_F(MapViewTest, MissingSurfacesAreSkipped) {
    setCell(overworld, worldSize, 50, 50, 52);
    setCell(overworld, worldSize, 51, 50, 11);
    selectMap(game, overworld, 0);
    placePlayer(50, 50);
    SDL_FreeSurface(graphicsStore.tileTable[3].surface);
    graphicsStore.tileTable[3].surface = nullptr;
    SDL_FreeSurface(graphicsStore.tileTable[11].surface);
    graphicsStore.tileTable[11].surface = nullptr;
    SDL_FreeSurface(graphicsStore.spriteTiles[playerSprite]);
    graphicsStore.spriteTiles[playerSprite] = nullptr;
    fillScreen(7);
    drawScreen(viewOf(game));
    EXPECT_TRUE(regionFilled(viewCellX(5) + 16, viewCellY(5), 16, 32, 52));
    EXPECT_TRUE(regionFilled(viewCellX(5), viewCellY(5), 16, 32, 7));
    EXPECT_TRUE(viewCellShows(tile(plainTile), 4, 5));
    EXPECT_TRUE(regionFilled(viewCellX(6), viewCellY(5), 32, 32, 7));
}

TEST_F(MapViewTest, NoMapOrNoTilesDrawsNoTerrain) {
    selectMap(game, 9, 0);
    fillScreen(7);
    drawTerrain(viewOf(game));
    EXPECT_TRUE(regionFilled(0, 0, 640, 400, 7));
    selectMap(game, overworld, 0);
    freeSyntheticStore();
    drawScreen(viewOf(game));
    EXPECT_TRUE(regionFilled(0, 0, 640, 400, 7));
    buildSyntheticStore();
}

TEST_F(MapViewTest, StatusLinesShrinkWithoutLeavingDigitsBehind) {
    drawStatusLines(StatusShown{100, 50, 1439});
    EXPECT_TRUE(textShown("X:100 Y:50  ", 24, 1));
    EXPECT_TRUE(textShown("Time:1439    ", 24, 2));
    drawStatusLines(StatusShown{99, 50, 0});
    EXPECT_TRUE(textShown("X:99 Y:50   ", 24, 1));
    EXPECT_TRUE(textShown("Time:0       ", 24, 2));
}

TEST_F(MapViewTest, ScreenPassDrawsViewCharactersAndStatus) {
    enterSettlement();
    placePlayer(10, 10);
    putCharacter(1, 12, 11, 50);
    game.gameClock = 42;
    drawScreen(viewOf(game));
    EXPECT_TRUE(viewCellShows(sprite(50), 7, 6));
    EXPECT_TRUE(viewCellShows(sprite(playerSprite), 5, 5));
    EXPECT_TRUE(viewCellShows(tile(levelTile(15, 15)), 10, 10));
    EXPECT_TRUE(textShown("X:10 Y:10  ", 24, 1));
    EXPECT_TRUE(textShown("Time:42    ", 24, 2));
}

// The view's own copy of tiles, sprites and glyphs into the frame leaves exactly
// the pixels SDL's blit leaves, for every clipping case; pairs it does not copy
// itself go to SDL.
namespace {

// A source of w x h whose pixels all differ, with index 5 (the 4-colour key) on
// every third pixel.
SDL_Surface *patternedSurface(int w, int h, const std::vector<SDL_Color> &colours) {
    std::vector<std::string> rows;
    for (int y = 0; y < h; y++) {
        std::string row;
        for (int x = 0; x < w; x++) {
            row += (x + y) % 3 == 0 ? '5' : (char)('a' + (x * 7 + y * 3) % 20);
        }
        rows.push_back(row);
    }
    return surfaceFromRows(rows, colours);
}

// Copies source to target by blitIndexed and, on a twin of target, by SDL; true
// when both leave the same pixels.
bool sameAsSdl(SDL_Surface *source, const SDL_Rect *part, SDL_Surface *target, int x, int y) {
    SDL_Surface *twin = SDL_ConvertSurface(target, target->format, target->flags);
    SDL_SetClipRect(twin, &target->clip_rect);
    blitIndexed(source, part, target, x, y);
    SDL_Rect place = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_Rect sdlPart = part != nullptr ? *part : SDL_Rect{};
    SDL_UpperBlit(source, part != nullptr ? &sdlPart : nullptr, twin, &place);
    bool same = surfaceRows(target) == surfaceRows(twin);
    SDL_FreeSurface(twin);
    return same;
}

} // namespace

TEST(Blit, CopiesLikeSdlAtEveryEdgeWithAndWithoutKey) {
    openTestScreen();
    const std::vector<SDL_Color> colours = {{0, 0, 0, 0}, {0, 170, 170, 0}, {255, 0, 255, 0}};
    // Parts inside, across and beyond the source; places across every edge of the
    // target and of a clip rectangle.
    const SDL_Rect parts[] = {{0, 0, 16, 16}, {3, 5, 9, 4}, {-4, -2, 10, 30}, {12, 12, 8, 8}};
    const int places[] = {-20, -7, 0, 5, 27, 40, 60};
    for (bool keyed : {false, true}) {
        SDL_Surface *source = patternedSurface(16, 16, colours);
        if (keyed) {
            SDL_SetColorKey(source, SDL_SRCCOLORKEY, 5);
        }
        ASSERT_TRUE(copiesIndices(source, source));
        for (bool clipped : {false, true}) {
            for (int p = -1; p < 4; p++) {
                for (int x : places) {
                    for (int y : places) {
                        SDL_Surface *target = patternedSurface(48, 40, colours);
                        ASSERT_TRUE(copiesIndices(source, target));
                        SDL_Rect clip = {6, 4, 30, 25};
                        SDL_SetClipRect(target, clipped ? &clip : nullptr);
                        EXPECT_TRUE(sameAsSdl(source, p < 0 ? nullptr : &parts[p], target, x, y))
                            << "keyed " << keyed << " clipped " << clipped << " part " << p
                            << " at " << x << "," << y;
                        SDL_FreeSurface(target);
                    }
                }
            }
        }
        SDL_FreeSurface(source);
    }
}

TEST(Blit, DifferentPalettesAndOverlapsGoTheSafeWay) {
    openTestScreen();
    // Colours SDL would have to map: copied by SDL, so the pixels are its own.
    SDL_Surface *source = patternedSurface(8, 8, {{0, 0, 0, 0}, {255, 255, 255, 0}});
    SDL_Surface *target = patternedSurface(20, 20, {{255, 255, 255, 0}, {0, 0, 0, 0}});
    EXPECT_FALSE(copiesIndices(source, target));
    EXPECT_TRUE(sameAsSdl(source, nullptr, target, 3, 4));
    // A surface copied onto itself, down and right: every row read before it is written.
    SDL_Surface *self = patternedSurface(20, 20, {});
    std::vector<std::string> before = surfaceRows(self);
    SDL_Rect part = {2, 2, 10, 10};
    blitIndexed(self, &part, self, 4, 5);
    std::vector<std::string> after = surfaceRows(self);
    for (int y = 0; y < 10; y++) {
        EXPECT_EQ(after[5 + y].substr(4, 10), before[2 + y].substr(2, 10)) << "row " << y;
    }
    blitIndexed(nullptr, nullptr, target, 0, 0); // nothing to copy: nothing happens
    SDL_FreeSurface(self);
    SDL_FreeSurface(source);
    SDL_FreeSurface(target);
}
