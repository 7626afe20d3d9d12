// The main command handler at the bottom of the input stack for the whole run:
// pass, the four moves, Enter, Klimb and Look, answered in the message console.
#pragma once

#include <cstdint>

#include "2-play/game_keys.h"

struct Game;

// Results of tryMove.
const int moved = 0;
const int moveOffEdge = 255;

// The bottom input handler; its argument is 0 and unused. Keys it does not know
// (capital letters included) are ignored without a message.
void mainCommandHandler(Game &game, GameKey key, intptr_t argument);

// Whether the command handler has a command for the key.
bool isCommandKey(GameKey key);

// One step in a direction. World maps wrap at their edges; on a settlement level
// a step off the edge leaves the position as it was and answers moveOffEdge.
int tryMove(Game &game, GameKey direction);
