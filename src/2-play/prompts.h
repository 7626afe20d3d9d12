// The two prompts pushed over the command handler: a yes/no question and a wait
// for a direction. Each pops itself when it has its answer.
#pragma once

#include <cstdint>

#include "2-play/game_keys.h"

struct Game;

typedef void (*YesAction)(Game &game);
typedef void (*DirectionAction)(Game &game, GameKey direction);

// Input handler of a yes/no question; the argument is a YesAction (or 0).
// y: "Yes" and the action; n or Esc: "No"; every other key is ignored.
void yesNoPrompt(Game &game, GameKey key, intptr_t onYes);

// Input handler waiting for a direction; the argument is a DirectionAction.
// A direction: its word and the action; space: "Pass" and a minute; others ignored.
void directionPrompt(Game &game, GameKey key, intptr_t onDirection);

// The keys each prompt answers to: y; n or Esc; a direction or space.
bool isYesAnswer(GameKey key);
bool isNoAnswer(GameKey key);
bool answersDirectionPrompt(GameKey key);

// Open the prompts with their continuation as the stack entry's argument.
void askYesNo(Game &game, YesAction onYes);
void askDirection(Game &game, DirectionAction onDirection);
