// The front end: everything the desktop program and the browser build do
// differently, as one table of functions. Each front end has its table (the
// desktop's in desktop_front_end.h, the page's in the web build) and chooses it
// once, before starting the game, with useFrontEnd; the engine calls the parts
// through frontEnd(). A new front end is a new table.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "3-audio/music_file.h"

struct PresenterCalls; // 1-app/display/presenter.h
struct SaveStore;      // 1-app/saves/save_store.h

struct FrontEnd {
    // Starts SDL's timer and video; false when it cannot, after one line on
    // standard error unless quiet.
    bool (*startVideo)(bool quiet);
    // What shows the game's frame. Its present and pause become drawing's hooks
    // while the display is open (presenter.h says what else it must do).
    const PresenterCalls *presenter;
    // F12: keeps `screen`, without overlays, where this front end keeps
    // screenshots and tells the player (screenshot_name.h); a failure is one line
    // on standard error. True when the picture was kept.
    bool (*saveScreenshot)();
    // Turns an open, checked music file into music (music_file.h).
    MusicFromFile musicFromFile;
    // Where saved games are kept.
    const SaveStore *saves;
    // Shows the lines of a start-up error to a player without a terminal
    // (errorwindow=1); nullptr where the front end shows them itself.
    void (*showErrorWindow)(const std::vector<std::string> &lines);
    // Sleeps until the next event and fills it in; false on an error. nullptr
    // where the front end hands each pass its events itself (the page's loop).
    bool (*waitForEvent)(SDL_Event *event);
};

// Chooses the table for the rest of the run (it must outlive it) and hands the
// lower folders their parts (the music loader).
void useFrontEnd(const FrontEnd &table);

// The chosen table; before useFrontEnd, one whose entries are all nullptr.
const FrontEnd &frontEnd();
