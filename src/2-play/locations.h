// Entering and leaving the 40 locations of the world, and the player's start.
// The enter command and the leave question call these; the rules fix each place.
#pragma once

#include <cstdint>

#include "2-play/rules.h"

// The start cell of the overworld; view centre (5, 5); the player's sprite.
void setStartPosition();

// Enters the location on the player's cell and prints its answer: 0 when one was
// found, -1 when there is none (the caller answers then).
int enterLocation();

// Back to the overworld at the cell the settlement was entered by.
void leaveLocation();

// Plays piece n (0-53) and keeps its number: the piece a saved game resumes.
void playPlaceMusic(uint16_t n);

// The piece last asked for by playPlaceMusic; the overworld's before any.
uint16_t placeMusic();

// Where music is asked for; tests put a recorder here. nullptr restores playMusic.
typedef void (*MusicPlayer)(uint16_t n);
void setLocationMusicPlayer(MusicPlayer player);
