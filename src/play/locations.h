// Entering and leaving the 40 locations of the world, and the player's start.
#pragma once

// Column 86, row 109 of the overworld; view centre (5, 5); the player's sprite 28.
void setStartPosition();
