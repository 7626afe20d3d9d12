// What the keys list (F1) shows: the game's own keys over the map view and, when
// there is more to show, beside it over the panel: the keys the settings added,
// the gamepad's buttons when a pad is in use, and the last key and button pressed
// that had no command, so that a player can learn a key's name ("world 64").
#pragma once

#include <string>
#include <vector>

// A line of text at a text cell of the 40 x 25 screen.
struct ListLine {
    int column;
    int row;
    std::string text;
};

// The first text column of the list beside the map view.
const int panelListColumn = 24;

// Every line of the list; lines at panelListColumn only when there is more to
// show than the game's own keys.
std::vector<ListLine> keysListLines();
