// The stack of input handlers: only the top entry receives keys. The main command
// handler lies at the bottom for the whole run; prompts are pushed over it. The
// stack is part of the game in play (game.h), which every handler is given.
#pragma once

#include <cstdint>
#include <vector>

#include "2-play/game_keys.h"

struct Game;

// A handler receives every key while its entry is on top, with the game and the
// argument it was pushed with (prompts keep their continuation function there).
typedef void (*InputHandlerFn)(Game &game, GameKey key, intptr_t argument);

struct InputHandler {
    InputHandlerFn handler;
    intptr_t argument;
};

// The entries, bottom first.
struct InputHandlerStack {
    std::vector<InputHandler> entries;
};

// Puts a new entry on top.
void pushInputHandler(InputHandlerStack &stack, InputHandlerFn handler, intptr_t argument);

// Removes the top entry; does nothing on an empty stack.
void popInputHandler(InputHandlerStack &stack);

// Removes every entry: the command handler and any prompt left open over it.
void clearInputHandlers(InputHandlerStack &stack);

// The top entry's handler and argument; nullptr and 0 on an empty stack.
InputHandlerFn topHandler(const InputHandlerStack &stack);
intptr_t topArgument(const InputHandlerStack &stack);

// Number of entries on the stack.
int inputStackDepth(const InputHandlerStack &stack);
