#include "settlement_levels.h"

#include "settlement_designs.h"
#include "tile_numbers.h"
#include "world_places.h"

namespace {

// Ladders stand in the buildings of the walled settlements (the first one two
// steps north of the entry cell) and inside the tower of a lighthouse.
const int walledLadders[6][2] = {{15, 28}, {8, 8}, {23, 8}, {8, 23}, {23, 23}, {6, 15}};
const int towerLadders[3][2] = {{13, 16}, {17, 16}, {15, 13}};

uint8_t floorUnder(const Level &level, int column, int row) {
    // The floor around a ladder: whatever standing tile is next to it, else stone.
    for (int d = 0; d < 4; ++d) {
        uint8_t t = levelTile(level, column + (d == 0) - (d == 1), row + (d == 2) - (d == 3));
        if (isStandingTile(t)) {
            return t;
        }
    }
    return tileStoneFloor;
}

void placeLadder(Level &level, int column, int row, uint8_t ladder) {
    uint8_t floor = floorUnder(level, column, row);
    for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
            uint8_t t = levelTile(level, column + dc, row + dr);
            if (!isStandingTile(t) && t != tileLadderUp && t != tileLadderDown) {
                setLevelTile(level, column + dc, row + dr, floor);
            }
        }
    }
    setLevelTile(level, column, row, ladder);
}

void paintLevel(Level &level, int place, int levelNumber, Rng &rng) {
    int first, last;
    placeLevels(place, first, last);
    int entry = entryLevel[place];
    PlaceKind kind = placeKind(place);
    if (levelNumber < entry) {
        paintCellar(level, rng);
        return;
    }
    if (levelNumber > entry) {
        if (kind == kindLighthouse) {
            paintLighthouseStorey(level, rng, levelNumber == last);
        } else {
            paintUpperStorey(level, rng, kind == kindCastle || kind == kindKeep);
        }
        return;
    }
    switch (kind) {
    case kindTown:
        paintTownGround(level, rng);
        break;
    case kindCastle:
        paintCastleGround(level, rng);
        break;
    case kindKeep:
        paintKeepGround(level, rng);
        break;
    case kindVillage:
        paintVillageGround(level, rng);
        break;
    case kindHut:
        paintHutGround(level, rng);
        break;
    default:
        paintLighthouseGround(level, rng);
        break;
    }
}

} // namespace

void ladderPosition(int place, int pair, int &column, int &row) {
    if (placeKind(place) == kindLighthouse) {
        column = towerLadders[pair % 3][0];
        row = towerLadders[pair % 3][1];
        return;
    }
    column = walledLadders[pair % 6][0];
    row = walledLadders[pair % 6][1];
}

std::vector<uint8_t> buildSettlementLevels(uint8_t family) {
    std::vector<Level> levels(16);
    for (int n = 0; n < 16; ++n) {
        int place = placeOfLevel(family, n);
        Rng rng = makeRng(60000 + family * 100 + n);
        if (place < 0) {
            // Every level has an owner in this world; a spare one would be grass.
            fillLevelArea(levels[n], 0, 0, 31, 31, tileGrass);
            continue;
        }
        paintLevel(levels[n], place, n, rng);
    }
    // Ladders: up at (c, r) on one level, down at the same cell on the next.
    for (int place = 0; place < 32; ++place) {
        int first, last;
        if (placeFamily(place) != family || !placeLevels(place, first, last)) {
            continue;
        }
        for (int n = first; n < last; ++n) {
            int column, row;
            ladderPosition(place, n - first, column, row);
            placeLadder(levels[n], column, row, tileLadderUp);
            placeLadder(levels[n + 1], column, row, tileLadderDown);
        }
    }
    std::vector<uint8_t> cells;
    cells.reserve(16 * 1024);
    for (Level &level : levels) {
        // Beyond a level's edge the view shows this cell: keep it open ground.
        setLevelTile(level, 31, 31, tileGrass);
        cells.insert(cells.end(), level.cells, level.cells + 1024);
    }
    return cells;
}
