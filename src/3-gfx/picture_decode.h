// One picture record of a picture file (width, height, packed pixel rows) and its
// transparency mask, decoded into surfaces; and the painting of masks into pictures.
#pragma once

#include <SDL.h>
#include <cstdint>

#include "3-gfx/byte_view.h"
#include "4-data/file_formats.h"

// Where picture i's record starts: the offset-table entry i (masked files hold
// 16-bit offsets in their 32-bit entries).
int64_t pictureEntryOffset(ByteView &view, int i, bool masked);

// The byte after the rows (and padding) of the picture record at offset: where a
// masked file keeps its mask.
int64_t pictureRecordEnd(ByteView &view, int64_t offset, PictureRowFormat format);

// Decodes the picture record at offset into a new surface with the mode's palette
// (not yet enlarged) and sets *end to the byte after its last row and padding.
// Returns nullptr when SDL cannot make the surface.
SDL_Surface *decodePicture(ByteView &view, int64_t offset, PictureRowFormat format, int64_t *end);

// Decodes the mask record at offset (width, height, unpadded rows of 1-bit pixels,
// bit 7 leftmost) into a new surface of 0s and 1s with the mode's palette.
SDL_Surface *decodeMask(ByteView &view, int64_t offset);

// For each of count pictures: pixels where the mask is not 0 get the colour index
// key, and the picture gets key as its colour key. Pixels outside the mask stay;
// missing surfaces are skipped.
void applyPictureMasks(SDL_Surface **pictures, SDL_Surface **masks, int count, Uint8 key);
