// Entering and leaving the 40 locations of the world, and the player's start.
// The enter command and the leave question call these; the rules fix each place.
#pragma once

#include <cstdint>

#include "2-play/rules.h"

struct Game;

// The start cell of the overworld; view centre (5, 5); the player's sprite.
void setStartPosition(Game &game);

// Enters the location on the player's cell and prints its answer: true when one
// was found, false when there is none (the caller answers then).
bool enterLocation(Game &game);

// Back to the overworld at the cell the settlement was entered by.
void leaveLocation(Game &game);

// Plays piece n (0-53) and keeps its number in the game: the piece a saved game
// resumes.
void playPlaceMusic(Game &game, uint16_t n);

// Where music is asked for; tests put a recorder here. nullptr restores playMusic.
typedef void (*MusicPlayer)(uint16_t n);
void setLocationMusicPlayer(MusicPlayer player);
