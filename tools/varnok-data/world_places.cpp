#include "world_places.h"

#include "tile_numbers.h"

const Place places[placeCount] = {
    {"Harrowgate", 89, 109, 2, 0, tileTownIcon},
    {"Millbrook", 120, 96, 2, 2, tileTownIcon},
    {"Saltmere", 150, 140, 2, 4, tileTownIcon},
    {"Thornwick", 70, 150, 2, 7, tileTownIcon},
    {"Emberfold", 166, 74, 2, 8, tileTownIcon},
    {"Copperdale", 110, 160, 2, 10, tileTownIcon},
    {"Windhollow", 60, 70, 2, 12, tileTownIcon},
    {"Ravensford", 140, 110, 2, 14, tileTownIcon},
    {"Greywatch", 44, 100, 5, 0, tileLighthouseIcon},
    {"Stormbeacon", 196, 120, 5, 3, tileLighthouseIcon},
    {"Tidelamp", 100, 192, 5, 6, tileLighthouseIcon},
    {"Gullrock", 130, 46, 5, 9, tileLighthouseIcon},
    {"Mossden", 75, 125, 5, 12, tileHutIcon},
    {"", 80, 109, 5, 13, tileHutIcon},
    {"Briarcot", 155, 85, 5, 14, tileHutIcon},
    {"Willowcot", 95, 140, 5, 15, tileHutIcon},
    {"Ostrand", 86, 113, 3, 1, tileCastleIcon},
    {"Haldervine", 160, 160, 3, 6, tileCastleIcon},
    {"Ashby", 100, 75, 3, 10, tileVillageIcon},
    {"Dunmore", 130, 130, 3, 11, tileVillageIcon},
    {"Pebbleton", 65, 110, 3, 12, tileVillageIcon},
    {"Wrenfield", 115, 120, 3, 13, tileVillageIcon},
    {"Oakhurst", 180, 100, 3, 14, tileVillageIcon},
    {"Marlow", 90, 165, 3, 15, tileVillageIcon},
    {"Underhold", 88, 105, 4, 0, tileSealedGate},
    {"Blackspire", 55, 140, 4, 2, tileKeepIcon},
    {"Irongate", 140, 70, 4, 4, tileKeepIcon},
    {"Frostholm", 80, 55, 4, 5, tileKeepIcon},
    {"Cinderhold", 180, 62, 4, 6, tileKeepIcon},
    {"Grimwall", 172, 140, 4, 8, tileKeepIcon},
    {"Stonefang", 120, 180, 4, 10, tileKeepIcon},
    {"Duskhold", 200, 90, 4, 14, tileKeepIcon},
    {"Gloamstair", 86, 105, 0, 0, tileDungeonEntrance},
    {"Deepmarrow", 110, 100, 0, 0, tileDungeonEntrance},
    {"Old Barrow", 150, 100, 0, 0, tileDungeonEntrance},
    {"Wormshaft", 70, 90, 0, 0, tileDungeonEntrance},
    {"Sunken Stair", 135, 150, 0, 0, tileDungeonEntrance},
    {"Cindermaw", 160, 120, 0, 0, tileDungeonEntrance},
    {"Frostwell", 95, 175, 0, 0, tileDungeonEntrance},
    {"Hollow Gate", 83, 109, 0, 0, tileCaveMouth},
};

PlaceKind placeKind(int number) {
    if (number < 8) {
        return kindTown;
    }
    if (number < 12) {
        return kindLighthouse;
    }
    if (number < 16) {
        return kindHut;
    }
    if (number < 18) {
        return kindCastle;
    }
    if (number < 24) {
        return kindVillage;
    }
    if (number < 32) {
        return kindKeep;
    }
    return kindEntrance;
}

bool placeLevels(int number, int &first, int &last) {
    if (number < 0 || number >= 32) {
        return false;
    }
    int block = number - number % 8;
    first = places[number].entryLevel;
    last = 15;
    if (number % 8 != 7) {
        last = places[number + 1].entryLevel - 1;
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
        if (places[number].family == family && placeLevels(number, first, last) && level >= first &&
            level <= last) {
            return number;
        }
    }
    return -1;
}
