// One picture record of a picture file (width, height, packed pixel rows) and its
// transparency mask, decoded into surfaces; and the painting of masks into pictures.
#pragma once

#include <SDL.h>

#include "4-data/picture_records.h"

// Decodes the picture of a record into a new surface with the mode's palette (not
// yet enlarged). Returns nullptr when SDL cannot make the surface.
SDL_Surface *decodePicture(ByteView &view, const PictureRecord &record);

// Decodes the mask of a record (unpadded rows of 1-bit pixels, bit 7 leftmost)
// into a new surface of 0s and 1s with the mode's palette.
SDL_Surface *decodeMask(ByteView &view, const PictureRecord &record);

// Notes in view.overrun whether decodePicture and decodeMask would read past the
// end of the data for this record, without decoding anything: the start-up load
// warns about a short file before its pictures are ever decoded.
void noteRecordReads(ByteView &view, const PictureRecord &record);

// For each of count pictures: pixels where the mask is not 0 get the colour index
// key, and the picture gets key as its colour key. Pixels outside the mask stay;
// missing surfaces are skipped.
void applyPictureMasks(SDL_Surface **pictures, SDL_Surface **masks, int count, Uint8 key);
