// The 25 picture sets of the colour mode: 16 files of plain pictures and 9 whose
// pictures carry a transparency mask, decoded and enlarged at start-up.
#pragma once

#include <cstdint>
#include <string>

#include "4-data/file_formats.h"
#include "4-data/load_failure.h"

// Fill all 25 pictureSets in order. False, with failure set, at the first file
// that cannot be used (the sets before it stay for the teardown to free).
bool loadPictureSets4(LoadFailure &failure);
bool loadPictureSets16(LoadFailure &failure);

// Decode the plain picture file at path into set number (0-15), writing the
// picture count through count. Return 0; -1 when the file cannot be decompressed
// or number is outside 0-15; -2 when a surface cannot be made (the set is then
// left empty with count 0); -3 when a picture is larger than the screen or the
// sets loaded since the last freePictureSets would pass the picture budget
// (count 0, no surface made). On failure *problem (when given) names the problem
// for the failure's line: empty when the file could not be opened.
int32_t loadPictureSet4(const char *path, int number, uint16_t *count,
                        std::string *problem = nullptr);
int32_t loadPictureSet16(const char *path, int number, uint16_t *count,
                         std::string *problem = nullptr);

// The same for a masked file and set number 16-24; the masks are painted into the
// pictures with the key colour, which becomes each picture's colour key.
int32_t loadMaskedPictureSet4(const char *path, int number, uint16_t *count,
                              std::string *problem = nullptr);
int32_t loadMaskedPictureSet16(const char *path, int number, uint16_t *count,
                               std::string *problem = nullptr);

// Frees every surface of every set and each set's array.
void freePictureSets();
