// Designs of the walled settlements: towns, castles, keeps and villages, each a
// ring of open ground, an outer wall with a south gate, streets crossing in the
// middle and four buildings in the quadrants.
#include "settlement_designs.h"
#include "tile_numbers.h"

const Quadrant quadrants[4] = {
    {3, 3, 11, 11, 11, 7},
    {19, 3, 28, 11, 19, 7},
    {3, 19, 11, 28, 11, 23},
    {19, 19, 28, 28, 19, 23},
};

namespace {

// A piece of furniture at an offset from the room's top-left inner corner.
struct Fitting {
    int dc, dr;
    uint8_t tile;
};

void furnishRoom(Level &level, const Quadrant &q, const Fitting *fittings, int count) {
    for (int i = 0; i < count; ++i) {
        setLevelTile(level, q.c0 + 1 + fittings[i].dc, q.r0 + 1 + fittings[i].dr, fittings[i].tile);
    }
}

const Fitting innFittings[] = {{1, 1, tileTable},   {2, 1, tileChair},  {0, 1, tileChair},
                               {4, 4, tileTable},   {5, 4, tileChair},  {3, 4, tileChair},
                               {6, 0, tileBarrel},  {6, 1, tileBarrel}, {0, 6, tileHearth},
                               {5, 6, tileCounter}, {4, 6, tileCounter}};
const Fitting smithyFittings[] = {{1, 1, tileAnvil},      {0, 6, tileHearth},
                                  {7, 0, tileWeaponRack}, {7, 1, tileWeaponRack},
                                  {4, 5, tileBarrel},     {6, 6, tileCrate}};
const Fitting shopFittings[] = {{1, 2, tileCounter},   {2, 2, tileCounter},   {3, 2, tileCounter},
                                {0, 0, tileBookshelf}, {1, 0, tileBookshelf}, {6, 6, tileChest},
                                {5, 6, tilePot},       {6, 0, tileCrate}};
const Fitting homeFittings[] = {{0, 0, tileBed},   {1, 0, tileBed},      {4, 3, tileTable},
                                {5, 3, tileChair}, {7, 0, tileWardrobe}, {7, 6, tileHearth},
                                {0, 6, tileChest}};
const Fitting throneFittings[] = {{3, 0, tileThrone},  {1, 1, tileBannerA}, {5, 1, tileBannerA},
                                  {0, 3, tilePillar},  {6, 3, tilePillar},  {0, 6, tileBrazierA},
                                  {6, 6, tileBrazierA}};
const Fitting barracksFittings[] = {
    {0, 0, tileBed},        {2, 0, tileBed},        {4, 0, tileBed},  {6, 0, tileBed},
    {7, 4, tileWeaponRack}, {7, 5, tileWeaponRack}, {3, 5, tileTable}};
const Fitting chapelFittings[] = {{3, 0, tileAltar}, {1, 3, tilePew},    {2, 3, tilePew},
                                  {4, 3, tilePew},   {5, 3, tilePew},    {1, 5, tilePew},
                                  {5, 5, tilePew},   {0, 0, tileLantern}};
const Fitting kitchenFittings[] = {
    {0, 0, tileCookingPot}, {1, 0, tileHearth},    {4, 3, tileTable}, {5, 3, tileTable},
    {7, 6, tileBarrel},     {6, 6, tileGrainSack}, {7, 0, tilePot}};
const Fitting armouryFittings[] = {{0, 0, tileWeaponRack},
                                   {1, 0, tileWeaponRack},
                                   {2, 0, tileWeaponRack},
                                   {6, 6, tileChest},
                                   {3, 4, tileAnvil}};
const Fitting cellFittings[] = {{0, 2, 168}, {1, 2, 168}, {2, 2, 168},       {4, 2, 168},
                                {5, 2, 168}, {6, 2, 168}, {1, 0, tileBones}, {5, 0, tileBed}};
const Fitting storeFittings[] = {{0, 0, tileCrate},  {1, 0, tileCrate},     {0, 1, tileBarrel},
                                 {6, 0, tileBarrel}, {6, 6, tileGrainSack}, {5, 6, tileCrate}};

#define FITTINGS(list) list, (int)(sizeof list / sizeof list[0])

// Ring of open ground, outer wall with the south gate, streets and the path out.
void paintWalledFrame(Level &level, uint8_t ring, uint8_t wall, uint8_t street) {
    fillLevelArea(level, 0, 0, 31, 31, ring);
    drawRoom(level, 2, 2, 29, 29, wall, street);
    fillLevelArea(level, 14, 29, 16, 29, street);
    fillLevelArea(level, 15, 30, 15, 31, tileRoad);
}

void paintQuadrantBuildings(Level &level, uint8_t wall, uint8_t floor) {
    for (const Quadrant &q : quadrants) {
        drawRoom(level, q.c0, q.r0, q.c1, q.r1, wall, floor);
        setLevelTile(level, q.doorColumn, q.doorRow, tileDoor);
    }
}

void scatter(Level &level, Rng &rng, uint8_t on, uint8_t tile, int count) {
    for (int k = 0; k < count * 20 && count > 0; ++k) {
        int c = randomBetween(rng, 1, 30), r = randomBetween(rng, 1, 28);
        if (levelTile(level, c, r) == on) {
            setLevelTile(level, c, r, tile);
            --count;
        }
    }
}

} // namespace

void paintTownGround(Level &level, Rng &rng) {
    paintWalledFrame(level, tileGrass, tileStoneWall, tileCobbles);
    paintQuadrantBuildings(level, tileBrickWall, tileWoodFloor);
    furnishRoom(level, quadrants[0], FITTINGS(innFittings));
    furnishRoom(level, quadrants[1], FITTINGS(smithyFittings));
    furnishRoom(level, quadrants[2], FITTINGS(shopFittings));
    furnishRoom(level, quadrants[3], FITTINGS(homeFittings));
    setLevelTile(level, 12, 6, tileShopSign);
    setLevelTile(level, 18, 6, tileShopSign);
    setLevelTile(level, 12, 22, tileShopSign);
    setLevelTile(level, 15, 15, tileFountainA);
    setLevelTile(level, 12, 12, tileLampPost);
    setLevelTile(level, 18, 12, tileLampPost);
    setLevelTile(level, 12, 18, tileLampPost);
    setLevelTile(level, 18, 18, tileLampPost);
    setLevelTile(level, 12, 27, tileBannerA);
    setLevelTile(level, 18, 27, tileBannerA);
    scatter(level, rng, tileGrass, tileLoneOak, 6);
    scatter(level, rng, tileGrass, tileFlowers, 8);
}

void paintCastleGround(Level &level, Rng &rng) {
    paintWalledFrame(level, tileWater, tileStoneWall, tileCobbles);
    fillLevelArea(level, 14, 30, 16, 31, tileDrawbridge);
    setLevelTile(level, 15, 30, tileDrawbridge);
    paintQuadrantBuildings(level, tileStoneWall, tileStoneFloor);
    fillLevelArea(level, 4, 4, 10, 10, tileCarpet);
    furnishRoom(level, quadrants[0], FITTINGS(throneFittings));
    furnishRoom(level, quadrants[1], FITTINGS(barracksFittings));
    furnishRoom(level, quadrants[2], FITTINGS(chapelFittings));
    furnishRoom(level, quadrants[3], FITTINGS(kitchenFittings));
    setLevelTile(level, 15, 15, tileFountainA);
    setLevelTile(level, 13, 13, tileFlowerBed);
    setLevelTile(level, 17, 13, tileFlowerBed);
    setLevelTile(level, 13, 17, tileFlowerBed);
    setLevelTile(level, 17, 17, tileFlowerBed);
    setLevelTile(level, 12, 27, tileBannerA);
    setLevelTile(level, 18, 27, tileBannerA);
    setLevelTile(level, 31, 31, tileGrass);
    scatter(level, rng, tileCobbles, tileStatue, 2);
}

void paintKeepGround(Level &level, Rng &rng) {
    paintWalledFrame(level, tileRockyGround, tileStoneWall, tileDungeonFloor);
    paintQuadrantBuildings(level, 160, tileStoneFloor);
    for (const Quadrant &q : quadrants) {
        setLevelTile(level, q.doorColumn, q.doorRow, 169); // iron doors
    }
    furnishRoom(level, quadrants[0], FITTINGS(armouryFittings));
    furnishRoom(level, quadrants[1], FITTINGS(cellFittings));
    furnishRoom(level, quadrants[2], FITTINGS(kitchenFittings));
    furnishRoom(level, quadrants[3], FITTINGS(storeFittings));
    for (int k = 4; k < 28; k += 6) {
        setLevelTile(level, k, 2, tileTorchA);
        setLevelTile(level, 2, k, tileTorchA);
        setLevelTile(level, 29, k, tileTorchA);
    }
    setLevelTile(level, 15, 15, tileBrazierA);
    setLevelTile(level, 12, 27, tileBrazierA);
    setLevelTile(level, 18, 27, tileBrazierA);
    scatter(level, rng, tileDungeonFloor, tileRubble, 6);
    scatter(level, rng, tileRockyGround, tileBoulder, 6);
}

void paintVillageGround(Level &level, Rng &rng) {
    paintWalledFrame(level, tileGrass, tileFence, tileGrass);
    fillLevelArea(level, 13, 3, 17, 28, 207); // dirt paths
    fillLevelArea(level, 3, 13, 28, 17, 207);
    // Two cottages, a field with its windmill, and a paddock.
    const Quadrant &nw = quadrants[0];
    const Quadrant &se = quadrants[3];
    drawRoom(level, nw.c0 + 1, nw.r0 + 1, nw.c1, nw.r1, tileTimberWall, tileWoodFloor);
    setLevelTile(level, nw.doorColumn, nw.doorRow, tileDoor);
    furnishRoom(level, Quadrant{nw.c0 + 1, nw.r0 + 1, nw.c1, nw.r1, 0, 0}, FITTINGS(homeFittings));
    drawRoom(level, se.c0, se.r0, se.c1 - 1, se.r1 - 1, tileTimberWall, tileWoodFloor);
    setLevelTile(level, se.doorColumn, se.doorRow, tileDoor);
    furnishRoom(level, se, FITTINGS(kitchenFittings));
    fillLevelArea(level, 19, 3, 28, 11, tileCropField);
    setLevelTile(level, 23, 6, tileWindmillA);
    fillLevelArea(level, 3, 19, 11, 28, tileFarmland);
    setLevelTile(level, 5, 21, tileHaystack);
    setLevelTile(level, 9, 26, tileScarecrowTile);
    setLevelTile(level, 15, 15, tileWell);
    setLevelTile(level, 20, 13, tileCampfireA);
    scatter(level, rng, tileGrass, tileLoneOak, 5);
    scatter(level, rng, tileGrass, tileFlowers, 6);
}

void paintUpperStorey(Level &level, Rng &rng, bool fortified) {
    paintWalledFrame(level, tileGrass, fortified ? tileBattlements : tileBattlements,
                     fortified ? tileStoneFloor : tileRoof);
    fillLevelArea(level, 15, 30, 15, 31, tileGrass);
    fillLevelArea(level, 14, 29, 16, 29, tileBattlements);
    paintQuadrantBuildings(level, fortified ? tileStoneWall : tileBrickWall,
                           fortified ? tileStoneFloor : tileWoodFloor);
    for (const Quadrant &q : quadrants) {
        // The upper rooms are bedrooms and studies, lit by windows.
        setLevelTile(level, q.c0, q.r0 + 3, tileWindow);
        setLevelTile(level, q.c1, q.r0 + 5, tileWindow);
    }
    furnishRoom(level, quadrants[0], FITTINGS(homeFittings));
    furnishRoom(level, quadrants[1], FITTINGS(shopFittings));
    furnishRoom(level, quadrants[2], FITTINGS(homeFittings));
    furnishRoom(level, quadrants[3], FITTINGS(storeFittings));
    if (fortified) {
        setLevelTile(level, 15, 15, tileBrazierA);
        setLevelTile(level, 3, 29, tileBannerA);
        setLevelTile(level, 28, 29, tileBannerA);
    } else {
        scatter(level, rng, tileRoof, 179, 4); // chimneys
    }
}
