// Designs of the lone dwellings: the hut in its clearing, the lighthouse on its
// island with the tower's storeys, and the cellars below the entry levels.
#include <cstdlib>

#include "settlement_designs.h"
#include "tile_numbers.h"

namespace {

// The lighthouse tower: a round wall around (15, 15).
const int towerColumn = 15;
const int towerRow = 15;
const int towerRadiusSquared = 42; // about 6.5 cells

int distanceSquared(int c, int r) {
    return (c - towerColumn) * (c - towerColumn) + (r - towerRow) * (r - towerRow);
}

void paintIsland(Level &level, Rng &rng) {
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 32; ++c) {
            int d = distanceSquared(c, r);
            uint8_t t = tileDeepWater;
            if (d < 110) {
                t = tileSand;
            } else if (d < 150) {
                t = tileShallows;
            } else if (d < 210) {
                t = tileWater;
            }
            setLevelTile(level, c, r, t);
        }
    }
    // A jetty from the edge to the island, entered at (15, 30).
    fillLevelArea(level, 15, 24, 15, 31, tileJetty);
    for (int k = 0; k < 6; ++k) {
        int c = randomBetween(rng, 3, 28), r = randomBetween(rng, 3, 28);
        if (levelTile(level, c, r) == tileWater) {
            setLevelTile(level, c, r, k % 2 ? tileBuoy : tileWaterRock);
        }
    }
}

void paintTowerWall(Level &level, uint8_t wall, uint8_t floor) {
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 32; ++c) {
            int d = distanceSquared(c, r);
            if (d <= towerRadiusSquared) {
                setLevelTile(level, c, r, d > 28 ? wall : floor);
            }
        }
    }
}

} // namespace

void paintHutGround(Level &level, Rng &rng) {
    fillLevelArea(level, 0, 0, 31, 31, tileForest);
    // A clearing with a cabin, a fire and a path out to the south.
    for (int r = 5; r < 28; ++r) {
        for (int c = 4; c < 28; ++c) {
            int dc = c - 15, dr = r - 16;
            if (dc * dc * 4 + dr * dr * 5 < 520) {
                setLevelTile(level, c, r, tileGrass);
            }
        }
    }
    fillLevelArea(level, 15, 19, 15, 31, 207);
    drawRoom(level, 10, 9, 20, 18, tileTimberWall, tileWoodFloor);
    setLevelTile(level, 15, 18, tileDoor);
    setLevelTile(level, 10, 13, tileWindow);
    setLevelTile(level, 20, 13, tileWindow);
    setLevelTile(level, 11, 10, tileBed);
    setLevelTile(level, 19, 10, tileHearth);
    setLevelTile(level, 18, 10, tileCookingPot);
    setLevelTile(level, 14, 13, tileTable);
    setLevelTile(level, 15, 13, tileChair);
    setLevelTile(level, 11, 16, tilePot);
    setLevelTile(level, 19, 16, tileBookshelf);
    setLevelTile(level, 12, 22, tileCampfireA);
    setLevelTile(level, 19, 21, tileWoodpile);
    setLevelTile(level, 7, 14, tileStump);
    for (int k = 0; k < 8; ++k) {
        int c = randomBetween(rng, 1, 30), r = randomBetween(rng, 1, 30);
        if (levelTile(level, c, r) == tileForest) {
            setLevelTile(level, c, r, k % 2 ? tilePineTree : tileMushrooms);
        }
    }
}

void paintLighthouseGround(Level &level, Rng &rng) {
    paintIsland(level, rng);
    paintTowerWall(level, tileStoneWall, tileStoneFloor);
    setLevelTile(level, 15, 21, tileDoor);
    fillLevelArea(level, 15, 22, 15, 23, tileSand);
    setLevelTile(level, 12, 12, tileBarrel);
    setLevelTile(level, 18, 12, tileChest);
    setLevelTile(level, 12, 18, tileTable);
    setLevelTile(level, 18, 18, tileCrate);
    setLevelTile(level, 8, 22, tileCampfireA);
    setLevelTile(level, 22, 9, tileLoneOak);
}

void paintLighthouseStorey(Level &level, Rng &rng, bool top) {
    paintIsland(level, rng);
    paintTowerWall(level, top ? tileBattlements : tileStoneWall,
                   top ? tileStoneFloor : tileWoodFloor);
    if (top) {
        setLevelTile(level, 15, 15, tileBeaconA);
        setLevelTile(level, 15, 17, tileBrazierA);
        return;
    }
    setLevelTile(level, 9, 15, tileWindow);
    setLevelTile(level, 21, 15, tileWindow);
    setLevelTile(level, 12, 12, tileBed);
    setLevelTile(level, 18, 12, tileBookshelf);
    setLevelTile(level, 12, 18, tileChest);
    setLevelTile(level, 18, 18, tileMapTable);
}

void paintCellar(Level &level, Rng &rng) {
    fillLevelArea(level, 0, 0, 31, 31, tileRock);
    fillLevelArea(level, 12, 3, 18, 28, tileDungeonFloor);
    fillLevelArea(level, 3, 12, 28, 18, tileDungeonFloor);
    for (const Quadrant &q : quadrants) {
        drawRoom(level, q.c0, q.r0, q.c1, q.r1, tileRock, tileDungeonFloor);
        setLevelTile(level, q.doorColumn, q.doorRow, 162); // dungeon doors
    }
    const uint8_t things[] = {tileBarrel, tileCrate,     tileBones, 168,
                              tileWeb,    tileMushrooms, tileChest, tileTorchA};
    for (int k = 0; k < 30; ++k) {
        int c = randomBetween(rng, 4, 27), r = randomBetween(rng, 4, 27);
        if (levelTile(level, c, r) == tileDungeonFloor) {
            setLevelTile(level, c, r, things[randomBelow(rng, 8)]);
        }
    }
}
