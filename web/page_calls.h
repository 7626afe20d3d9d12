// What the engine's web side asks of the page, in JavaScript (library_varnok.js):
// showing a frame on the canvas, full screen, the screenshot download, music and
// the storage that keeps saves.
#pragma once

#include <cstdint>

extern "C" {

// Puts width x height RGBA pixels on the canvas.
void webPutFrame(const uint32_t *pixels, int width, int height);

// Enters or leaves the browser's full screen; whether the page is in it.
void webToggleFullscreen();
int webIsFullscreen();

// Offers width x height RGBA pixels as a PNG download under `name`.
void webSaveScreenshot(const uint32_t *pixels, int width, int height, const char *name);

// Hands a music file's bytes to emscripten's mixer; its music number, 0 when the
// mixer has no audio.
int webLoadMusic(const uint8_t *bytes, int size);

// Stops the music and closes the audio context the mixer opened.
void webCloseMixer();

// The text kept in the page's local storage under key, in memory from malloc
// (the caller frees it); nullptr when nothing is kept there or storage is off.
char *webReadStorage(const char *key);

// The keys of the page's local storage that begin with prefix, one a line, in
// memory from malloc; nullptr when storage is off.
char *webStorageKeys(const char *prefix);

// Keeps text under key when nothing is kept there: 1; -1 when something is;
// 0 when the storage refused (full, or switched off), and then nothing changed.
int webAddStorage(const char *key, const char *text);

// Removes what is kept under key; 0 when the storage refused.
int webRemoveStorage(const char *key);

// Tells the page that the world's saves changed (a save added or removed).
void webSavesChanged();
}
