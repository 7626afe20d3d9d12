// Enlarging decoded surfaces: the edge-preserving 2x enlarger (Scale2x rules by
// colour) in the `scaler` slot, and plain pixel replication as the fallback.
#pragma once

#include <SDL.h>
#include <cstdint>

// An enlarger: returns a new surface (or nullptr) and leaves its argument alone.
typedef SDL_Surface *(*Enlarger)(SDL_Surface *surface, int32_t factor, int32_t bands);

// The enlarger for even factors; set once by the video set-up. Empty: replication.
extern Enlarger scaler;

// Returns surface enlarged factor times, or nullptr; consumes surface in every
// case (returns it itself when factor is 1). With smoothEven set, each factor 2
// goes through `scaler`; what remains of the factor is plain replication.
SDL_Surface *scaleSurface(SDL_Surface *surface, int32_t factor, int32_t bands, int32_t smoothEven);

// A freshly decoded tile, glyph, picture or mask doubled to screen size through
// `scaler`, in one band; consumes decoded as scaleSurface does.
SDL_Surface *enlargeDecoded(SDL_Surface *decoded);

// Scale2x by colour: neighbours compare equal when their RGB is equal, and each
// result colour becomes the new surface's SDL_MapRGB index (the lowest index with
// that colour). Always doubles; rows are processed in `bands` bands whose last
// row is their own lower border. 8-bit palettized surfaces take a fast path with
// exactly the results of smoothScaleLiteral.
SDL_Surface *smoothScale(SDL_Surface *surface, int32_t factor, int32_t bands);

// The same rules evaluated pixel by pixel through SDL_GetRGB and SDL_MapRGB.
SDL_Surface *smoothScaleLiteral(SDL_Surface *surface, int32_t factor, int32_t bands);

// Copies every raw pixel value into a factor x factor block; bands is ignored.
SDL_Surface *replicateScale(SDL_Surface *surface, int32_t factor, int32_t bands);
