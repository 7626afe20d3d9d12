// The demo world's maps and tables before they become files: the chunking of
// the overworld, shores that face their water, an underworld whose entrances
// are joined, the places and their levels, and the music of each place.
#include <gtest/gtest.h>

#include <cstring>
#include <queue>
#include <set>
#include <vector>

#include "demo/music_synth.h"
#include "demo/overworld.h"
#include "demo/tile_numbers.h"
#include "demo/underworld.h"
#include "demo/world_places.h"

namespace {

bool isWaterLike(uint8_t t) {
    return t == tileDeepWater || t == tileWater || t == tileShallows ||
           (t >= firstWaterObject && t < firstWaterObject + waterObjectCount);
}

uint8_t at(const std::vector<uint8_t> &world, int c, int r) {
    return world[(size_t)(r & 255) * 256 + (c & 255)];
}

} // namespace

TEST(DemoOverworld, ChunksRebuildTheWorldWithOceanBlocksLeftOut) {
    std::vector<uint8_t> world = buildOverworld();
    uint8_t layout[256];
    std::vector<std::vector<uint8_t>> chunks;
    ASSERT_TRUE(chunkWorld(world, layout, chunks));
    int ocean = 0;
    for (int block = 0; block < 256; ++block) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                int c = (block % 16) * 16 + x, r = (block / 16) * 16 + y;
                uint8_t rebuilt =
                    layout[block] == 255 ? tileDeepWater : chunks[layout[block]][y * 16 + x];
                ASSERT_EQ(rebuilt, at(world, c, r)) << c << "," << r;
            }
        }
        ocean += layout[block] == 255;
    }
    EXPECT_GT(ocean, 20);
    std::set<std::vector<uint8_t>> distinct(chunks.begin(), chunks.end());
    EXPECT_EQ(distinct.size(), chunks.size());
}

TEST(DemoOverworld, TooManyDistinctChunksAreRefused) {
    std::vector<uint8_t> world(65536);
    // Block k is tile k but for a 0 in its corner: 256 blocks, all different.
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            bool corner = c % 16 == 0 && r % 16 == 0;
            world[r * 256 + c] = corner ? 0 : (uint8_t)((r / 16) * 16 + c / 16);
        }
    }
    uint8_t layout[256];
    std::vector<std::vector<uint8_t>> chunks;
    EXPECT_FALSE(chunkWorld(world, layout, chunks));
}

TEST(DemoOverworld, ShoresFaceTheirWaterAndPlacesStandOnLand) {
    std::vector<uint8_t> world = buildOverworld();
    // For each cut mode, the two neighbours on the cut side: (dc, dr) pairs.
    struct Facing {
        uint8_t tile;
        int dc1, dr1, dc2, dr2;
    };
    const Facing facings[] = {{52, 0, -1, -1, 0}, {230, 0, -1, -1, 0}, {53, 0, -1, 1, 0},
                              {231, 0, -1, 1, 0}, {54, 0, 1, 1, 0},    {228, 0, 1, 1, 0},
                              {55, 0, 1, -1, 0},  {229, 0, 1, -1, 0}};
    int shores = 0;
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            for (const Facing &f : facings) {
                if (at(world, c, r) == f.tile) {
                    ++shores;
                    EXPECT_TRUE(isWaterLike(at(world, c + f.dc1, r + f.dr1)) &&
                                isWaterLike(at(world, c + f.dc2, r + f.dr2)))
                        << "shore " << (int)f.tile << " at " << c << "," << r;
                }
            }
        }
    }
    EXPECT_GT(shores, 50);
    for (const Place &place : places) {
        EXPECT_EQ(at(world, place.column, place.row), place.icon) << place.name;
    }
}

TEST(DemoUnderworld, EveryEntranceAndTheKeepGateAreJoined) {
    std::vector<uint8_t> world = buildUnderworld();
    // Walk from the first entrance over everything but solid rock.
    std::vector<bool> seen(65536, false);
    std::queue<int> open;
    int start = places[32].row * 256 + places[32].column;
    seen[start] = true;
    open.push(start);
    while (!open.empty()) {
        int cell = open.front();
        open.pop();
        int c = cell % 256, r = cell / 256;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto &step : steps) {
            int next = ((r + step[1]) & 255) * 256 + ((c + step[0]) & 255);
            if (!seen[next] && world[next] != tileRock) {
                seen[next] = true;
                open.push(next);
            }
        }
    }
    for (int number = 24; number < placeCount; ++number) {
        if (number == 24 || number >= 32) {
            EXPECT_TRUE(seen[places[number].row * 256 + places[number].column]) << number;
        }
    }
}

TEST(DemoPlaces, NamesFitAndEveryLevelHasOneOwner) {
    std::set<std::string> names;
    for (int number = 0; number < placeCount; ++number) {
        EXPECT_LE(strlen(places[number].name), 15u) << number;
        names.insert(places[number].name);
    }
    EXPECT_EQ(names.size(), 40u); // the hut's empty name included once
    EXPECT_EQ(places[0].column - startColumn, 3);
    for (uint8_t family : {2, 3, 4, 5}) {
        for (int level = 0; level < 16; ++level) {
            int owner = placeOfLevel(family, level);
            ASSERT_GE(owner, 0) << (int)family << " " << level;
            EXPECT_EQ(placeFamily(owner), family);
        }
    }
    const int entries[32] = {0, 2, 4,  7,  8,  10, 12, 14, 0, 3, 6, 9, 12, 13, 14, 15,
                             1, 6, 10, 11, 12, 13, 14, 15, 0, 2, 4, 5, 6,  8,  10, 14};
    for (int number = 0; number < 32; ++number) {
        EXPECT_EQ(entryLevel[number], entries[number]) << number;
    }
}

TEST(DemoMusic, EachKindOfPlaceHasItsOwnPiece) {
    // The music number played on entering each location.
    const int locationMusic[32] = {10, 7,  8,  14, 9,  13, 12, 11, 35, 37, 36, 38, 21, 23, 22, 20,
                                   16, 15, 29, 27, 26, 28, 25, 24, 30, 31, 32, 34, 33, 18, 17, 19};
    const char *expected[] = {"town.wav",   "lighthouse.wav", "hut.wav",
                              "castle.wav", "village.wav",    "keep.wav"};
    for (int number = 0; number < 32; ++number) {
        EXPECT_STREQ(pieceFileName(pieceOfMusic(locationMusic[number])),
                     expected[placeKind(number)])
            << number;
    }
    EXPECT_STREQ(pieceFileName(pieceOfMusic(1)), "overworld.wav");
    std::set<std::string> keys(musicKeys, musicKeys + musicNumberCount);
    EXPECT_EQ(keys.size(), (size_t)musicNumberCount);
    EXPECT_EQ(musicIniText().find("hermitage=hut.wav\n") != std::string::npos, true);
}
