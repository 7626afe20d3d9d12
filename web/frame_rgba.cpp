#include "frame_rgba.h"

namespace {

// RGBA bytes in memory order, read as one little-endian word.
uint32_t rgbaWord(const SDL_Color &c) {
    return (uint32_t)c.r | (uint32_t)c.g << 8 | (uint32_t)c.b << 16 | 0xFF000000u;
}

} // namespace

void frameToRgba(const SDL_Surface *frame, std::vector<uint32_t> &pixels) {
    uint32_t colours[256] = {};
    const SDL_Palette *palette = frame->format->palette;
    for (int i = 0; palette != nullptr && i < palette->ncolors && i < 256; i++) {
        colours[i] = rgbaWord(palette->colors[i]);
    }
    for (int i = palette != nullptr ? palette->ncolors : 0; i < 256; i++) {
        colours[i] = 0xFF000000u;
    }
    pixels.resize((size_t)frame->w * frame->h);
    for (int y = 0; y < frame->h; y++) {
        const Uint8 *row = (const Uint8 *)frame->pixels + y * frame->pitch;
        uint32_t *out = &pixels[(size_t)y * frame->w];
        for (int x = 0; x < frame->w; x++) {
            out[x] = colours[row[x]];
        }
    }
}
