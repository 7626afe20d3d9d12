#include "underworld.h"

#include <algorithm>
#include <cstdlib>

#include "noise.h"
#include "rng.h"
#include "tile_numbers.h"
#include "world_places.h"

namespace {

uint8_t &cell(std::vector<uint8_t> &world, int c, int r) {
    return world[(size_t)(r & 255) * 256 + (c & 255)];
}

void carveRoom(std::vector<uint8_t> &world, int cx, int cy, int rx, int ry, uint8_t floor) {
    for (int r = cy - ry; r <= cy + ry; ++r) {
        for (int c = cx - rx; c <= cx + rx; ++c) {
            cell(world, c, r) = floor;
        }
    }
}

// An L-shaped tunnel two cells wide, first along the row, then along the column.
void carveTunnel(std::vector<uint8_t> &world, int c0, int r0, int c1, int r1) {
    int step = c1 >= c0 ? 1 : -1;
    for (int c = c0; c != c1 + step; c += step) {
        cell(world, c, r0) = tileDungeonFloor;
        cell(world, c, r0 + 1) = tileDungeonFloor;
    }
    step = r1 >= r0 ? 1 : -1;
    for (int r = r0; r != r1 + step; r += step) {
        cell(world, c1, r) = tileDungeonFloor;
        cell(world, c1 + 1, r) = tileDungeonFloor;
    }
}

// Caverns where the noise is high, with cave floor, pools and lava.
void carveCaverns(std::vector<uint8_t> &world) {
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            double n = fractalNoise(31337, c, r, 24, 4);
            if (n > 0.64) {
                uint8_t t = tileCaveFloor;
                double m = fractalNoise(555, c, r, 16, 3);
                if (m > 0.72) {
                    t = c > 128 ? tileLava : tileWater;
                } else if (m > 0.68) {
                    t = c > 128 ? tileScorchedRock : tileShallows;
                }
                cell(world, c, r) = t;
            }
        }
    }
}

// Things lying about on the floors of the halls.
void furnish(std::vector<uint8_t> &world) {
    Rng rng = makeRng(808);
    const uint8_t things[] = {tileStalagmite, tileBones,     tileMushrooms,    tileCrystal,
                              tileRubble,     tilePillar,    tileWeb,          tileBrazierA,
                              tileCampfireA,  tileSkullPile, tileGlowingFungus};
    const int count = sizeof things / sizeof things[0];
    for (size_t i = 0; i < world.size(); ++i) {
        bool floor = world[i] == tileDungeonFloor || world[i] == tileCaveFloor;
        if (floor && randomBelow(rng, 40) == 0) {
            world[i] = things[randomBelow(rng, count)];
        }
    }
}

} // namespace

std::vector<uint8_t> buildUnderworld() {
    std::vector<uint8_t> world(256 * 256, tileRock);
    carveCaverns(world);
    // Halls scattered through the rock, each joined to the one before.
    Rng rng = makeRng(2024);
    int previousC = places[32].column, previousR = places[32].row;
    for (int k = 0; k < 48; ++k) {
        int c = randomBetween(rng, 8, 247), r = randomBetween(rng, 8, 247);
        carveRoom(world, c, r, randomBetween(rng, 2, 6), randomBetween(rng, 2, 5),
                  k % 3 ? tileDungeonFloor : tileCaveFloor);
        carveTunnel(world, previousC, previousR, c, r);
        previousC = c;
        previousR = r;
    }
    furnish(world);
    // Every entrance and Underhold's gate: a hall around it, a tunnel to the
    // first entrance, and the marked cell itself.
    for (int number = 24; number < placeCount; ++number) {
        if (number > 24 && number < 32) {
            continue;
        }
        const Place &place = places[number];
        carveRoom(world, place.column, place.row, 2, 1, tileDungeonFloor);
        carveTunnel(world, place.column, place.row, places[32].column, places[32].row);
    }
    for (int number = 32; number < placeCount; ++number) {
        cell(world, places[number].column, places[number].row) = tileDaylightShaft;
    }
    cell(world, places[24].column, places[24].row) = tileKeepGate;
    return world;
}
