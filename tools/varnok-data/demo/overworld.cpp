#include "overworld.h"

#include <cmath>
#include <cstring>
#include <map>

#include "noise.h"
#include "rng.h"
#include "tile_numbers.h"
#include "world_places.h"

namespace {

const uint32_t worldSeed = 4242;

// The country around the start, columns 76-96, rows 100-118, drawn by hand so
// that the first view shows a town, a castle by a lake with shores and boats,
// the way down into the underworld and a hermit's hut.
const int patchLeft = 76;
const int patchTop = 100;
// Letters: g grass, f forest, h hills, p flowers, r road, w shallow water, W
// water, l lily pad, b rowing boat, 1-4 the shores 52-55. The places (hut 80,109;
// cave 83,109; entrance 86,105; gate 88,105; town 89,109; castle 86,113) stand on
// grass here and get their icons afterwards; the start (86,109) stays grass.
const char *const startPatch[] = {
    "fffhhgggfffggghhfffgg", // row 100
    "ffggggfffggggghhhffgg", // 101
    "fgggpgggfggggggghgggg", // 102
    "gggggggggggggggggggpg", // 103
    "ggfgggggggggggggffggg", // 104
    "ggffgggggggggggggfggg", // 105
    "gggfggggggrggggggggff", // 106
    "gggggggpggrgggggggfff", // 107
    "ggggggggggrgggggggggf", // 108
    "ggggggggggg"
    "rrgrrrr"
    "ggg",                   // 109
    "ggggg3www4ggggggggggg", // 110
    "gggggwWWlwggggggggggg", // 111
    "gggggwWWWwggggpgggggg", // 112
    "gggggwbWwwggggggggggg", // 113
    "ggggg2www1gggggggggff", // 114
    "gggggggWggggggggggfff", // 115
    "gggggggWgggggggggffff", // 116
    "gggggggWgggggggggffff", // 117
    "gggggggWgggggggggffff", // 118
};

uint8_t patchTile(char c) {
    switch (c) {
    case 'f':
        return tileForest;
    case 'h':
        return tileHills;
    case 'p':
        return tileFlowers;
    case 'r':
        return tileRoad;
    case 'w':
        return tileShallows;
    case 'W':
        return tileWater;
    case 'l':
        return tileLilyPad;
    case 'b':
        return tileRowingBoat;
    case 'B':
        return tileBridge;
    case '1':
        return tileShoreUpperLeft;
    case '2':
        return tileShoreUpperRight;
    case '3':
        return tileShoreLowerRight;
    case '4':
        return tileShoreLowerLeft;
    default:
        return tileGrass;
    }
}

bool isWater(uint8_t t) {
    return t == tileDeepWater || t == tileWater || t == tileShallows;
}

uint8_t &cell(std::vector<uint8_t> &world, int c, int r) {
    return world[(size_t)(r & 255) * 256 + (c & 255)];
}

// Land and sea come from noise over a falloff towards the map's edges; hills
// and mountains from a second noise, so ranges are scattered over the land.
uint8_t terrainAt(int x, int y) {
    double dx = (x - 125) / 118.0;
    double dy = (y - 122) / 108.0;
    double falloff = 1 - std::sqrt(dx * dx + dy * dy);
    double e = 0.5 * fractalNoise(worldSeed, x, y, 40, 5) + 0.55 * falloff;
    bool nearStart = x >= 66 && x <= 106 && y >= 92 && y <= 128;
    if (nearStart && e < 0.4) {
        e = 0.4;
    }
    if (e < 0.24) {
        return tileDeepWater;
    }
    if (e < 0.28) {
        return tileWater;
    }
    if (e < 0.31) {
        return tileShallows;
    }
    if (e < 0.335) {
        return tileSand;
    }
    double h = fractalNoise(worldSeed + 7, x, y, 36, 4);
    if (h > 0.72) {
        return tileSnowPeaks;
    }
    if (h > 0.65) {
        return tileMountains;
    }
    if (h > 0.59) {
        return tileHills;
    }
    double m = fractalNoise(worldSeed + 1, x, y, 32, 4);
    if (m > 0.66 && h < 0.4) {
        return tileSwamp;
    }
    if (m > 0.57) {
        return tileForest;
    }
    if (m < 0.33) {
        return tileScrub;
    }
    return (m > 0.45 && m < 0.455) ? tileFlowers : tileGrass;
}

// The fire mountains around Cinderhold: ash, scorched rock and a lava stream.
void addVolcano(std::vector<uint8_t> &world) {
    const int cx = 180, cy = 62;
    for (int r = cy - 12; r <= cy + 12; ++r) {
        for (int c = cx - 12; c <= cx + 12; ++c) {
            int d2 = (c - cx) * (c - cx) + (r - cy) * (r - cy);
            uint8_t &t = cell(world, c, r);
            if (d2 <= 144 && !isWater(t)) {
                t = d2 < 30 ? tileMountains : ((c + r) % 3 ? tileAsh : tileScorchedRock);
            }
        }
    }
    Rng rng = makeRng(77);
    int c = cx + 3;
    for (int r = cy - 8; r <= cy + 10; ++r) {
        c += randomBelow(rng, 3) - 1;
        cell(world, c, r) = tileLava;
        cell(world, c + 1, r) = tileLava;
    }
}

// Snow on the lowlands around Frostholm, with a ragged edge.
void addSnow(std::vector<uint8_t> &world) {
    const int cx = places[27].column, cy = places[27].row;
    for (int r = cy - 24; r <= cy + 24; ++r) {
        for (int c = cx - 24; c <= cx + 24; ++c) {
            double d = std::sqrt((double)(c - cx) * (c - cx) + (double)(r - cy) * (r - cy));
            if (d > 14 + 10 * fractalNoise(worldSeed + 9, c, r, 8, 2)) {
                continue;
            }
            uint8_t &t = cell(world, c, r);
            if (t == tileGrass || t == tileScrub || t == tileSwamp) {
                t = tileSnowdrift;
            } else if (t == tileForest) {
                t = tilePineTree;
            } else if (t == tileShallows) {
                t = tileFrozenPond;
            }
        }
    }
}

void clearAroundPlaces(std::vector<uint8_t> &world) {
    for (const Place &place : places) {
        for (int dr = -2; dr <= 2; ++dr) {
            for (int dc = -2; dc <= 2; ++dc) {
                uint8_t &t = cell(world, place.column + dc, place.row + dr);
                if (isWater(t) || t == tileMountains || t == tileSnowPeaks || t == tileLava) {
                    t = tileGrass;
                }
            }
        }
    }
}

void drawStartPatch(std::vector<uint8_t> &world) {
    int rows = sizeof startPatch / sizeof startPatch[0];
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; startPatch[r][c] != '\0'; ++c) {
            cell(world, patchLeft + c, patchTop + r) = patchTile(startPatch[r][c]);
        }
    }
}

// Land cells with water on two neighbouring sides become shore tiles: grass
// shores 52-55, sandy shores 228-231.
void addShores(std::vector<uint8_t> &world) {
    std::vector<uint8_t> before = world;
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            uint8_t t = before[(size_t)r * 256 + c];
            if (t != tileGrass && t != tileSand) {
                continue;
            }
            bool n = isWater(before[(size_t)((r + 255) & 255) * 256 + c]);
            bool s = isWater(before[(size_t)((r + 1) & 255) * 256 + c]);
            bool w = isWater(before[(size_t)r * 256 + ((c + 255) & 255)]);
            bool e = isWater(before[(size_t)r * 256 + ((c + 1) & 255)]);
            bool sand = t == tileSand;
            uint8_t shore = 0;
            if (n && w && !s && !e) {
                shore = sand ? tileSandShoreUpperLeft : tileShoreUpperLeft;
            } else if (n && e && !s && !w) {
                shore = sand ? tileSandShoreUpperRight : tileShoreUpperRight;
            } else if (s && e && !n && !w) {
                shore = sand ? tileSandShoreLowerRight : tileShoreLowerRight;
            } else if (s && w && !n && !e) {
                shore = sand ? tileSandShoreLowerLeft : tileShoreLowerLeft;
            }
            if (shore) {
                world[(size_t)r * 256 + c] = shore;
            }
        }
    }
}

// A few boats, rocks and plants on the coastal waters.
void addWaterObjects(std::vector<uint8_t> &world) {
    Rng rng = makeRng(99);
    const uint8_t shallowThings[] = {tileLilyPad,       tileWaterLily, tileReeds, tileWaterRocks,
                                     tileSteppingStone, tileSeaweed,   tileSwan};
    const uint8_t openThings[] = {tileSailingBoat,    tileBuoy, tileWaterRock, tileDriftwood,
                                  tileFloatingBarrel, tileRaft, tileWhirlpool, tileJettyPost};
    for (size_t i = 0; i < world.size(); ++i) {
        int c = (int)(i % 256), r = (int)(i / 256);
        bool inPatch = c >= 70 && c <= 100 && r >= 95 && r <= 125;
        if (inPatch || randomBelow(rng, 90) != 0) {
            continue;
        }
        if (world[i] == tileShallows) {
            world[i] = shallowThings[randomBelow(rng, 7)];
        } else if (world[i] == tileWater) {
            world[i] = openThings[randomBelow(rng, 8)];
        }
    }
}

} // namespace

std::vector<uint8_t> buildOverworld() {
    std::vector<uint8_t> world(worldCells, tileDeepWater);
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            world[(size_t)r * 256 + c] = terrainAt(c, r);
        }
    }
    addVolcano(world);
    addSnow(world);
    clearAroundPlaces(world);
    drawStartPatch(world);
    addShores(world);
    addWaterObjects(world);
    for (const Place &place : places) {
        cell(world, place.column, place.row) = place.icon;
    }
    return world;
}

bool chunkWorld(const std::vector<uint8_t> &world, uint8_t layout[256],
                std::vector<std::vector<uint8_t>> &chunks) {
    std::map<std::vector<uint8_t>, int> known;
    for (int block = 0; block < 256; ++block) {
        std::vector<uint8_t> chunk(256);
        bool ocean = true;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                uint8_t t = world[(size_t)((block / 16) * 16 + y) * 256 + (block % 16) * 16 + x];
                chunk[y * 16 + x] = t;
                ocean = ocean && t == tileDeepWater;
            }
        }
        if (ocean) {
            layout[block] = 255;
            continue;
        }
        auto found = known.find(chunk);
        if (found == known.end()) {
            if (chunks.size() >= 255) {
                return false;
            }
            found = known.emplace(chunk, (int)chunks.size()).first;
            chunks.push_back(chunk);
        }
        layout[block] = (uint8_t)found->second;
    }
    return true;
}
