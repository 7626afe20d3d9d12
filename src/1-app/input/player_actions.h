// What a key or a gamepad button asks for, carried out: a game key handed to the
// handler on top of the input stack, a save, a load, the keys list, or the
// gamepad's quit question "Quit? (y/n)", whose yes ends the game
// (Game.quitConfirmed).
#pragma once

#include "1-app/input/key_bindings.h"

// noAction hands its code to the handler too, which ignores it.
void performAction(Game &game, const Meaning &meaning);
