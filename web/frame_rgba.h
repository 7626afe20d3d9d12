// The 8-bit frame as the canvas's RGBA pixels, for the presenter and screenshots.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <vector>

// `pixels` becomes the surface's w x h pixels, each its palette colour as RGBA
// bytes (opaque); an index past the palette is black.
void frameToRgba(const SDL_Surface *frame, std::vector<uint32_t> &pixels);
