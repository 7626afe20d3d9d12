// The 256 character sprites (tiles 256-511): people of many trades, animals and
// creatures, and the player's hero as sprite 28. Each has a name for Look.
#pragma once

#include "canvas.h"

const int spriteCount = 256;

// Draws sprite n (0-255) into a fresh 16x16 canvas filled with `background`
// first; sprite 0 is empty. The hero leaves the background it does not cover.
Canvas paintSprite(int n, uint8_t background = black);

// The Look name of sprite n, e.g. "a merchant".
const char *spriteName(int n);

// Sprite numbers of the kinds of people the settlements use.
int townsfolkSprite(int k); // k-th of the ordinary townsfolk
int guardSprite(int k);     // soldiers and knights
int creatureSprite(int k);  // animals and monsters
