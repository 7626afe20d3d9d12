// The picture budget: no picture or mask larger than the 320x200 screen it is
// shown on, and at most 16 M pixels in all the pictures of one colour mode. A file
// is counted from its offset table before any of its surfaces is made, so what the
// files declare can never take more memory than the budget allows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "4-data/picture_records.h"

const int largestPictureWidth = 320;
const int largestPictureHeight = 200;
const int64_t modePicturePixels = 16 * 1024 * 1024;
// Each picture and mask counts at least this many pixels: a surface's fixed cost
// (its palette alone takes 1 KiB) is that of 256 enlarged pixels.
const int64_t smallestPictureCost = 256;

// Adds what the picture file in view declares (every offset-table entry, with its
// mask when masked) to *held. False, with the reason in problem, when a picture or
// mask is larger than the screen or *held would pass modePicturePixels; *held is
// then left as it was.
bool countPictureFile(ByteView view, bool masked, PictureRowFormat rows, int64_t *held,
                      char *problem, size_t problemSize);
