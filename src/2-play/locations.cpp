#include "2-play/locations.h"

#include "3-audio/music.h"
#include "3-gfx/console.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"

const uint8_t entryLevel[worldLocationCount] = {
    0, 2, 4,  7,  8,  10, 12, 14, // towns
    0, 3, 6,  9,  12, 13, 14, 15, // lighthouses, huts
    1, 6, 10, 11, 12, 13, 14, 15, // castles, villages
    0, 2, 4,  5,  6,  8,  10, 14, // keeps
    0, 0, 0,  0,  0,  0,  0,  0,  // dungeon entrances
};

const uint8_t locationMusic[worldLocationCount] = {
    10, 7,  8,  14, 9,  13, 12, 11, // towns
    35, 37, 36, 38, 21, 23, 22, 20, // lighthouses, huts
    16, 15, 29, 27, 26, 28, 25, 24, // castles, villages
    30, 31, 32, 34, 33, 18, 17, 19, // keeps
    1,  1,  1,  1,  1,  1,  1,  1,  // dungeon entrances
};

namespace {

// How a settlement announces itself: the heading, then its name centred.
enum NameStyle {
    centredName, // heading continued, the name centred, "\n\n" finished
    hutName,     // like centredName after one more "\n"; an empty name ends there
    noName,      // the heading alone, finished
};

struct LocationRange {
    int first;
    int last;
    uint8_t family;  // MapKind of the settlement
    int firstRecord; // location number of the family's character record 0
    const char *heading;
    NameStyle style;
};

// Each family owns a block of eight numbers; the record is the place in the block.
const LocationRange settlementRanges[] = {
    {0, 7, towne, 0, "Enter towne\n\n", centredName},
    {8, 11, dwelling, 8, "Enter\nlighthouse\n\n", centredName},
    {12, 15, dwelling, 8, "Enter hut\n", hutName},
    {16, 16, castle, 16, "Enter the\nCastle of Lord\nOstrand!\n\n", noName},
    {17, 17, castle, 16, "Enter the\nCastle of Lord\nHaldervine!\n\n", noName},
    {18, 23, castle, 16, "Enter village\n\n", centredName},
    {24, 31, keep, 24, "Enter keep\n\n", centredName},
};

// Dungeon entrances: passages between the two world maps.
const int firstEntrance = 32;
const int lastEntrance = 39;
const int underworldKeep = 24;

MusicPlayer musicPlayer = playMusic;

const LocationRange *rangeOf(int i) {
    for (const LocationRange &range : settlementRanges) {
        if (i >= range.first && i <= range.last) {
            return &range;
        }
    }
    return nullptr;
}

const char *nameOf(int i) {
    return locations[i].name != nullptr ? locations[i].name : "";
}

void announce(const LocationRange &range, int i) {
    const char *name = nameOf(i);
    if (range.style == noName) {
        consolePrint(0, "%s", range.heading);
        return;
    }
    consolePrint(1, "%s", range.heading);
    if (range.style == hutName) {
        bool unnamed = name[0] == '\0';
        consolePrint(unnamed ? 0 : 1, "\n");
        if (unnamed) {
            return;
        }
    }
    consoleCentred(1, "%s", name);
    consolePrint(0, "\n\n");
}

void enterSettlement(int i) {
    const LocationRange *range = rangeOf(i);
    if (range == nullptr) {
        return;
    }
    announce(*range, i);
    PlayerState.column = entryColumn;
    PlayerState.row = entryRow;
    selectMap(range->family, entryLevel[i]);
    PlayerState.level = entryLevel[i];
    PlayerState.locationNumber = (uint8_t)i;
    PlayerState.floor = 0;
    setSettlementCharacters(range->family, i - range->firstRecord);
    musicPlayer(locationMusic[i]);
}

// Through a dungeon entrance to the other world map, on the same cell.
void takePassage(int i, uint8_t toKind) {
    consolePrint(0, "Enter %d\n\n", i);
    selectMap(toKind, 0);
    PlayerState.level = 0;
    musicPlayer(locationMusic[i]);
}

// The location on the player's cell among first..last, or -1. From the underworld
// only the keep reached from below and the entrances count; the other keeps lie
// on the overworld alone.
int locationHere(int first, int last) {
    for (int i = first; i <= last; i++) {
        bool reachable =
            PlayerState.mapKind == overworld || i == underworldKeep || i >= firstEntrance;
        if (reachable && locations[i].column == PlayerState.column &&
            locations[i].row == PlayerState.row) {
            return i;
        }
    }
    return -1;
}

int enterFromOverworld() {
    int i = locationHere(0, lastEntrance);
    if (i < 0) {
        return -1;
    }
    PlayerState.returnColumn = (uint8_t)locations[i].column;
    PlayerState.returnRow = (uint8_t)locations[i].row;
    if (i >= firstEntrance && i < lastEntrance) {
        takePassage(i, underworld);
    } else if (i == underworldKeep || i == lastEntrance) {
        // The keep is reached from below, and the last entrance only leads up.
        consolePrint(0, "Enter %d\n\n", i);
    } else {
        enterSettlement(i);
    }
    return 0;
}

int enterFromUnderworld() {
    int i = locationHere(underworldKeep, lastEntrance);
    if (i < 0) {
        return -1;
    }
    if (i >= firstEntrance) {
        takePassage(i, overworld);
    } else {
        // The return position stays that of the entrance the player came down by.
        enterSettlement(i);
    }
    return 0;
}

} // namespace

void setStartPosition() {
    PlayerState.column = 86;
    PlayerState.row = 109;
    PlayerState.viewCentreColumn = 5;
    PlayerState.viewCentreRow = 5;
    PlayerState.playerTile = heroSprite;
}

int enterLocation() {
    if (PlayerState.mapKind == overworld) {
        return enterFromOverworld();
    }
    if (PlayerState.mapKind == underworld) {
        return enterFromUnderworld();
    }
    return -1; // inside a settlement nothing can be entered
}

void leaveLocation() {
    PlayerState.column = PlayerState.returnColumn;
    PlayerState.row = PlayerState.returnRow;
    PlayerState.level = 0;
    setSettlementCharacters(overworld, 0);
    selectMap(overworld, 0);
    consolePrint(0, "Exit to\nArvandell!\n\n");
    musicPlayer(overworldMusic);
}

void setLocationMusicPlayer(MusicPlayer player) {
    musicPlayer = player != nullptr ? player : playMusic;
}
