#include "world_places.h"

#include "tile_numbers.h"

const Place places[placeCount] = {
    {"Harrowgate", 89, 109, tileTownIcon},
    {"Millbrook", 120, 96, tileTownIcon},
    {"Saltmere", 150, 140, tileTownIcon},
    {"Thornwick", 70, 150, tileTownIcon},
    {"Emberfold", 166, 74, tileTownIcon},
    {"Copperdale", 110, 160, tileTownIcon},
    {"Windhollow", 60, 70, tileTownIcon},
    {"Ravensford", 140, 110, tileTownIcon},
    {"Greywatch", 44, 100, tileLighthouseIcon},
    {"Stormbeacon", 196, 120, tileLighthouseIcon},
    {"Tidelamp", 100, 192, tileLighthouseIcon},
    {"Gullrock", 130, 46, tileLighthouseIcon},
    {"Mossden", 75, 125, tileHutIcon},
    {"", 80, 109, tileHutIcon},
    {"Briarcot", 155, 85, tileHutIcon},
    {"Willowcot", 95, 140, tileHutIcon},
    {"Ostrand", 86, 113, tileCastleIcon},
    {"Haldervine", 160, 160, tileCastleIcon},
    {"Ashby", 100, 75, tileVillageIcon},
    {"Dunmore", 130, 130, tileVillageIcon},
    {"Pebbleton", 65, 110, tileVillageIcon},
    {"Wrenfield", 115, 120, tileVillageIcon},
    {"Oakhurst", 180, 100, tileVillageIcon},
    {"Marlow", 90, 165, tileVillageIcon},
    {"Underhold", 88, 105, tileSealedGate},
    {"Blackspire", 55, 140, tileKeepIcon},
    {"Irongate", 140, 70, tileKeepIcon},
    {"Frostholm", 80, 55, tileKeepIcon},
    {"Cinderhold", 180, 62, tileKeepIcon},
    {"Grimwall", 172, 140, tileKeepIcon},
    {"Stonefang", 120, 180, tileKeepIcon},
    {"Duskhold", 200, 90, tileKeepIcon},
    {"Gloamstair", 86, 105, tileDungeonEntrance},
    {"Deepmarrow", 110, 100, tileDungeonEntrance},
    {"Old Barrow", 150, 100, tileDungeonEntrance},
    {"Wormshaft", 70, 90, tileDungeonEntrance},
    {"Sunken Stair", 135, 150, tileDungeonEntrance},
    {"Cindermaw", 160, 120, tileDungeonEntrance},
    {"Frostwell", 95, 175, tileDungeonEntrance},
    {"Hollow Gate", 83, 109, tileCaveMouth},
};

bool placeLevels(int number, int &first, int &last) {
    if (number < 0 || number >= 32) {
        return false;
    }
    int block = number - number % 8;
    first = entryLevel[number];
    last = 15;
    if (number % 8 != 7) {
        last = entryLevel[number + 1] - 1;
    }
    // The first settlement of a family also owns the levels below its entry.
    if (number == block) {
        first = 0;
    }
    return true;
}

int placeOfLevel(uint8_t family, int level) {
    for (int number = 0; number < 32; ++number) {
        int first, last;
        if (placeFamily(number) == family && placeLevels(number, first, last) && level >= first &&
            level <= last) {
            return number;
        }
    }
    return -1;
}
