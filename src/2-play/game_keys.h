// The keys as the game's handlers receive them: a GameKey is the key's symbol as
// the keyboard names it, changed by the first modifier held (Shift, Ctrl, Alt);
// the cursor keys and the keypad arrive as the four direction codes.
#pragma once

#include <cstdint>

typedef int32_t GameKey;

// Direction codes: the symbols of the keys '[', '/', apostrophe and ';', which
// steer exactly like the cursor keys.
const GameKey keyNorth = 91;
const GameKey keySouth = 47;
const GameKey keyEast = 39;
const GameKey keyWest = 59;
const GameKey keyQuit = 248; // Alt+x
// The other commands and answers.
const GameKey keyPass = ' ';
const GameKey keyEnter = 'e';
const GameKey keyKlimb = 'k';
const GameKey keyLook = 'l';
const GameKey keyYes = 'y';
const GameKey keyNo = 'n';
const GameKey keyEscape = 27; // answers a question No, as keyNo does
