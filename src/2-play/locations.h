// Entering and leaving the 40 locations of the world, and the player's start.
// The enter command and the leave question call these; the tables fix each place.
#pragma once

#include <cstdint>

const int worldLocationCount = 40;

// The level of its family's map on which each location is entered.
extern const uint8_t entryLevel[worldLocationCount];

// The music number played on entering each location.
extern const uint8_t locationMusic[worldLocationCount];

// The overworld's music, played when a settlement is left.
const uint16_t overworldMusic = 1;

// Every settlement is entered at this cell of its entry level.
const uint8_t entryColumn = 15;
const uint8_t entryRow = 30;

// The sprite the player is drawn with from the start; also the window's icon.
const uint8_t heroSprite = 28;

// Column 86, row 109 of the overworld; view centre (5, 5); the player's sprite 28.
void setStartPosition();

// Enters the location on the player's cell and prints its answer: 0 when one was
// found, -1 when there is none (the caller answers then).
int enterLocation();

// Back to the overworld at the cell the settlement was entered by.
void leaveLocation();

// Where music is asked for; tests put a recorder here. nullptr restores playMusic.
typedef void (*MusicPlayer)(uint16_t n);
void setLocationMusicPlayer(MusicPlayer player);
