// The 25 picture sets of the colour mode: 16 files of plain pictures and 9 whose
// pictures carry a transparency mask. At start-up each file is read, decompressed
// and checked against the picture budget and kept; each picture is decoded, masked
// and enlarged only when it is first asked for (pictureOf), so that a start-up
// pays for no picture the first frame does not show.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <string>

#include "4-data/file_formats.h"
#include "4-data/load_failure.h"

// Fill all 25 pictureSets in order. False, with failure set, at the first file
// that cannot be used (the sets before it stay for the teardown to free).
bool loadPictureSets4(LoadFailure &failure);
bool loadPictureSets16(LoadFailure &failure);

// Load the plain picture file at path as set number (0-15), writing the picture
// count through count (and into the set). Return 0; -1 when the file cannot be
// decompressed or number is outside 0-15; -2 when memory for the set cannot be
// had (the set is then left empty with count 0); -3 when a picture is larger
// than the screen or the sets loaded since the last freePictureSets would pass
// the picture budget (count 0, nothing kept). A file whose pictures reach past
// its end gets its warning here, before any picture is made. On failure *problem (when given) names
// the problem for the failure's line: empty when the file could not be opened.
int32_t loadPictureSet4(const char *path, int number, uint16_t *count,
                        std::string *problem = nullptr);
int32_t loadPictureSet16(const char *path, int number, uint16_t *count,
                         std::string *problem = nullptr);

// The same for a masked file and set number 16-24; its pictures are made with
// their masks painted in with the key colour, which becomes each picture's colour
// key.
int32_t loadMaskedPictureSet4(const char *path, int number, uint16_t *count,
                              std::string *problem = nullptr);
int32_t loadMaskedPictureSet16(const char *path, int number, uint16_t *count,
                               std::string *problem = nullptr);

// Picture i of set number, made (decoded, masked, enlarged by the enlarger of the
// video set-up) at its first ask and kept; nullptr when number or i is outside
// the loaded sets or SDL cannot make the surface.
SDL_Surface *pictureOf(int number, int i);

// Frees every surface of every set, each set's array and its kept file.
void freePictureSets();
