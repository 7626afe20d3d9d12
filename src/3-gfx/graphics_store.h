// The graphics store: every decoded and enlarged surface the program ever shows.
// Tiles and glyphs are filled once at start-up by the loaders and only read
// afterwards; the picture sets keep their checked files from start-up and make
// each picture at its first ask (pictureOf, pictures.h).
#pragma once

#include <SDL.h>
#include <cstdint>
#include <vector>

#include "4-data/file_formats.h"

enum TileAnimClass : int32_t {
    still = 0,
    scrolling = 1,  // drawn shifted down by the animation frame
    overlay = 2,    // drawn over a scrolling tile 3; the 24 cut tiles
    cycleNext = 3,  // the animation tick adds 1 to the cell's shown tile
    cycleBack3 = 4, // ... subtracts 3
    cycleBack1 = 5, // ... subtracts 1
};

struct TileEntry {
    int32_t animClass; // a TileAnimClass
    SDL_Surface *surface;
};

struct PictureSet {
    uint16_t count;
    // count entries, each nullptr until picture i is first asked for.
    SDL_Surface **surfaces;
    // The decompressed file the pictures are made from, and its row format.
    std::vector<uint8_t> file;
    PictureRowFormat rows;
};

const int frameGlyphTotal = 18;

// Each set with its count: the loaders fill it, drawing reads it.
struct GraphicsStore {
    TileEntry *tileTable; // 256 map tiles, 32x32
    uint32_t tileCount;
    SDL_Surface **spriteTiles; // 256 character sprites, 32x32
    uint32_t spriteTileCount;
    SDL_Surface **textGlyphs; // 128 text glyphs, 16x16
    uint32_t textGlyphCount;
    SDL_Surface **runeGlyphs; // 128 rune glyphs, 16x16
    uint32_t runeGlyphCount;
    SDL_Surface **frameGlyphs; // 18 frame pieces, 16x16
    uint16_t frameGlyphCount;
    PictureSet pictureSets[pictureSetCount];
};

extern GraphicsStore graphicsStore;
