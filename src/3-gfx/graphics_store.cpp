#include "3-gfx/graphics_store.h"

TileEntry *tileTable = nullptr;
uint32_t tileCount = 0;
SDL_Surface **spriteTiles = nullptr;
uint32_t spriteTileCount = 0;
SDL_Surface **textGlyphs = nullptr;
uint32_t textGlyphCount = 0;
SDL_Surface **runeGlyphs = nullptr;
uint32_t runeGlyphCount = 0;
SDL_Surface **frameGlyphs = nullptr;
uint16_t frameGlyphCount = 0;
PictureSet pictureSets[pictureSetCount];
