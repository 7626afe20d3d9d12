// Look (name the tile or person one step away) and Klimb (take the ladder under
// the player to the level above or below of the same settlement).
#pragma once

struct Game;

#include "2-play/game_keys.h"
#include "2-play/rules.h"

// "Look-" and a direction prompt whose answer goes to lookAt; never finished.
bool lookCommand(Game &game);

// Names what lies one step from the player in the direction: a person of the
// player's floor standing there, or else the tile.
void lookAt(Game &game, GameKey direction);

// The number of the name lookAt prints for a cell: 0-255 a tile, 256 + type a person.
int lookedAtName(const Game &game, GameKey direction);

// Climbs a ladder, or asks for a direction when there is none; true when the
// exchange is finished (a minute has passed).
bool klimbCommand(Game &game);

// The direction prompt's action when Klimb finds no ladder: "What?".
void sayWhat(Game &game, GameKey direction);
