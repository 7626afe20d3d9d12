// The desktop's window a start-up error also shows in under --error-window (its
// table's showErrorWindow), so that a player who started the game from a desktop
// menu, with no terminal to read, learns why it did not start. It shows the lines
// standard error got, in the program's own font (no data file is needed), and
// writes nothing anywhere.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// The line under the message, in the note colour.
extern const char errorWindowNote[];

// How the lines are laid out for a desktop of the given width (0: unknown): the
// scale of the font (2 where 60 characters fit at it, else 1) and the rows, broken
// to fit the desktop (at most 76 characters), then an empty row and the note.
struct ErrorLayout {
    int scale;
    std::vector<std::string> rows;
    int noteRows; // the last rows, which hold the note
};
ErrorLayout layoutErrorWindow(const std::vector<std::string> &lines, int desktopWidth);

// What closes the window: a key, a gamepad button, the window's close button.
bool closesErrorWindow(const SDL_Event &event);

// Starts video on its own (the game's has ended by now), opens the window titled
// "Varnok V" and waits for a key, a gamepad button or the window's close button.
// Without a display, or with a driver that shows nothing (dummy), it returns at
// once. SDL is shut down again on return.
void showErrorWindow(const std::vector<std::string> &lines);
