// Copies between the program's 8-bit surfaces (tiles, sprites and glyphs into the
// frame). Where SDL would copy colour indices unchanged - the same palette on both
// sides - the rows are copied here instead: SDL 1.2's own copy for that case
// writes every row with non-temporal stores past the cache, which for the frame's
// many 32- and 16-pixel rows cost five times the rest of a pass, and left the
// frame out of the cache for the presenter.
#pragma once

#include <SDL.h>

// Copies the part of source (nullptr: all of it) to (x, y) of target, clipped like
// SDL_UpperBlit: to the source and to the target's clip rectangle. A source with a
// colour key leaves the target's pixels under its key colour as they are. Other
// pairs - palettes that differ, other pixel sizes, per-surface alpha, surfaces that
// must be locked - go to SDL_UpperBlit, so the pixels are always SDL's.
void blitIndexed(SDL_Surface *source, const SDL_Rect *part, SDL_Surface *target, int x, int y);

// True when blitIndexed copies this pair itself: both 8 bits a pixel, neither
// locked nor with alpha, and the source's colours the first of the target's.
bool copiesIndices(const SDL_Surface *source, const SDL_Surface *target);
