// The browser build's front end: the canvas as the display, the screenshot as a
// download, music bytes for emscripten's mixer, saves in the page's storage; no
// error window (the page shows the error) and no event wait (the page's loop
// hands each pass its events). web_main.cpp chooses it (useFrontEnd).
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdint>
#include <cstdio>

#include "1-app/front_end.h"

extern const FrontEnd webFrontEnd;

// Its parts, each in a file of its own.

// SDL's own start; the canvas is the display (web_video_start.cpp).
bool startPageVideo(bool quiet);

// The frame, without overlays, offered as a PNG download (web_screenshot.cpp).
bool downloadScreenshot();

// The file's bytes handed to emscripten's mixer (web_music.cpp).
Mix_Music *musicFromBytes(FILE *file, int64_t size, const char *path, SDL_RWops **source);
