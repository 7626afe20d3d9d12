#include "2-play/locations.h"

#include "2-play/game.h"

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
    {"Enter towne\n\n", centredName},   {"Enter\nlighthouse\n\n", centredName},
    {"Enter hut\n", hutName},           {nullptr, noName},
    {"Enter village\n\n", centredName}, {"Enter keep\n\n", centredName},
};
const char *const castleHeadings[] = {
    "Enter the\nCastle of Lord\nOstrand!\n\n",
    "Enter the\nCastle of Lord\nHaldervine!\n\n",
};
const int firstCastle = 16;

MusicPlayer musicPlayer = playMusic;

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

void enterSettlement(Game &game, int i) {
    Announcement castle;
    const Announcement *range = announcementOf(i, castle);
    if (range == nullptr) {
        return;
    }
    announce(*range, i);
    PlayerStateRecord &player = game.playerState;
    player.column = entryColumn;
    player.row = entryRow;
    selectMap(game, placeFamily(i), entryLevel[i]);
    player.level = entryLevel[i];
    player.locationNumber = (uint8_t)i;
    player.floor = 0;
    setSettlementCharacters(game, placeFamily(i), characterRecordOf(i));
    playPlaceMusic(game, locationMusic[i]);
}

// Through a dungeon entrance to the other world map, on the same cell.
void takePassage(Game &game, int i, uint8_t toKind) {
    consolePrint(0, "Enter %d\n\n", i);
    selectMap(game, toKind, 0);
    game.playerState.level = 0;
    playPlaceMusic(game, locationMusic[i]);
}

// The location on the player's cell among first..last, or -1. From the underworld
// only the keep reached from below and the entrances count; the other keeps lie
// on the overworld alone.
int locationHere(const Game &game, int first, int last) {
    const PlayerStateRecord &player = game.playerState;
    for (int i = first; i <= last; i++) {
        bool reachable = player.mapKind == overworld || i == underworldKeep || i >= firstEntrance;
        if (reachable && locations[i].column == player.column && locations[i].row == player.row) {
            return i;
        }
    }
    return -1;
}

bool enterFromOverworld(Game &game) {
    PlayerStateRecord &player = game.playerState;
    int i = locationHere(game, 0, lastEntrance);
    if (i < 0) {
        return false;
    }
    player.returnColumn = (uint8_t)locations[i].column;
    player.returnRow = (uint8_t)locations[i].row;
    if (i >= firstEntrance && i < lastEntrance) {
        takePassage(game, i, underworld);
    } else if (i == underworldKeep || i == lastEntrance) {
        // The keep is reached from below, and the last entrance only leads up.
        consolePrint(0, "Enter %d\n\n", i);
    } else {
        enterSettlement(game, i);
    }
    return true;
}

bool enterFromUnderworld(Game &game) {
    int i = locationHere(game, underworldKeep, lastEntrance);
    if (i < 0) {
        return false;
    }
    if (i >= firstEntrance) {
        takePassage(game, i, overworld);
    } else {
        // The return position stays that of the entrance the player came down by.
        enterSettlement(game, i);
    }
    return true;
}

} // namespace

void setStartPosition(Game &game) {
    PlayerStateRecord &player = game.playerState;
    player.column = startColumn;
    player.row = startRow;
    player.viewCentreColumn = 5;
    player.viewCentreRow = 5;
    player.playerTile = heroSprite;
}

bool enterLocation(Game &game) {
    if (game.playerState.mapKind == overworld) {
        return enterFromOverworld(game);
    }
    if (game.playerState.mapKind == underworld) {
        return enterFromUnderworld(game);
    }
    return false; // inside a settlement nothing can be entered
}

void leaveLocation(Game &game) {
    PlayerStateRecord &player = game.playerState;
    player.column = player.returnColumn;
    player.row = player.returnRow;
    player.level = 0;
    setSettlementCharacters(game, overworld, 0);
    selectMap(game, overworld, 0);
    consolePrint(0, "Exit to\nArvandell!\n\n");
    playPlaceMusic(game, overworldMusic);
}

void playPlaceMusic(Game &game, uint16_t n) {
    game.music = n;
    musicPlayer(n);
}

void setLocationMusicPlayer(MusicPlayer player) {
    musicPlayer = player != nullptr ? player : playMusic;
}
