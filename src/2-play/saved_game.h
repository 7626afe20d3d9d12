// The game as a save keeps it: the player's place (map, level, position, the cell
// a settlement was entered by, floor, location), the clock and the piece of music
// playing; taken from the running game and put back into it.
#pragma once

#include "2-play/save_text.h"

struct Game;

SavedGame currentGame(const Game &game);

// Puts the game at the saved place: the map or level selected, the people of the
// settlement (none on a world map), the clock and the music. The view and the
// player's sprite never change during a game and stay as they are. game must have
// passed readSaveText.
void resumeGame(Game &game, const SavedGame &saved);
