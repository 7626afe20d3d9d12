// What the engine's web side asks of the page, in JavaScript (library_varnok.js):
// showing a frame on the canvas, full screen, the screenshot download and music.
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
}
