#include "2-play/locations.h"

#include "3-audio/music.h"
#include "3-gfx/console.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"

namespace {

// How a settlement announces itself: the heading, then its name centred.
enum NameStyle {
    centredName, // heading continued, the name centred, "\n\n" finished
    hutName,     // like centredName after one more "\n"; an empty name ends there
    noName,      // the heading alone, finished
};

struct Announcement {
    const char *heading;
    NameStyle style;
};

// By PlaceKind; each castle names its lord instead.
const Announcement announcements[] = {
    {"Enter towne\n\n", centredName},
    {"Enter\nlighthouse\n\n", centredName},
    {"Enter hut\n", hutName},
    {nullptr, noName},
    {"Enter village\n\n", centredName},
    {"Enter keep\n\n", centredName},
};
const char *const castleHeadings[] = {
    "Enter the\nCastle of Lord\nOstrand!\n\n",
    "Enter the\nCastle of Lord\nHaldervine!\n\n",
};
const int firstCastle = 16;

MusicPlayer musicPlayer = playMusic;
uint16_t musicAskedFor = overworldMusic;

// How settlement i announces itself; nullptr for the dungeon entrances.
const Announcement *announcementOf(int i, Announcement &castle) {
    PlaceKind kind = placeKind(i);
    if (kind == kindCastle) {
        castle = {castleHeadings[i - firstCastle], noName};
        return &castle;
    }
    return kind < kindEntrance ? &announcements[kind] : nullptr;
}

const char *nameOf(int i) {
    return locations[i].name != nullptr ? locations[i].name : "";
}

void announce(const Announcement &range, int i) {
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
    Announcement castle;
    const Announcement *range = announcementOf(i, castle);
    if (range == nullptr) {
        return;
    }
    announce(*range, i);
    PlayerState.column = entryColumn;
    PlayerState.row = entryRow;
    selectMap(placeFamily(i), entryLevel[i]);
    PlayerState.level = entryLevel[i];
    PlayerState.locationNumber = (uint8_t)i;
    PlayerState.floor = 0;
    setSettlementCharacters(placeFamily(i), characterRecordOf(i));
    playPlaceMusic(locationMusic[i]);
}

// Through a dungeon entrance to the other world map, on the same cell.
void takePassage(int i, uint8_t toKind) {
    consolePrint(0, "Enter %d\n\n", i);
    selectMap(toKind, 0);
    PlayerState.level = 0;
    playPlaceMusic(locationMusic[i]);
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
    PlayerState.column = startColumn;
    PlayerState.row = startRow;
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
    playPlaceMusic(overworldMusic);
}

void playPlaceMusic(uint16_t n) {
    musicAskedFor = n;
    musicPlayer(n);
}

uint16_t placeMusic() {
    return musicAskedFor;
}

void setLocationMusicPlayer(MusicPlayer player) {
    musicPlayer = player != nullptr ? player : playMusic;
}
