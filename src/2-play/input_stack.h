// The stack of input handlers: only the top entry receives keys. The main command
// handler lies at the bottom for the whole run; prompts are pushed over it.
#pragma once

#include <cstdint>

#include "2-play/game_keys.h"

// A handler receives every key while its entry is on top, with the argument it
// was pushed with (prompts keep their continuation function there).
typedef void (*InputHandlerFn)(GameKey key, intptr_t argument);

struct InputHandler {
    InputHandlerFn handler;
    intptr_t argument;
};

// Puts a new entry on top; on a failed allocation nothing is pushed.
void pushInputHandler(InputHandlerFn handler, intptr_t argument);

// Removes the top entry; does nothing on an empty stack.
void popInputHandler();

// Removes every entry: the command handler and any prompt left open over it.
void clearInputHandlers();

// The fields of the top entry; only called while the stack is not empty.
InputHandlerFn topHandler();
intptr_t topArgument();

// Number of entries on the stack.
int inputStackDepth();
