#include "3-gfx/picture_budget.h"

#include <cstdio>

namespace {

// The reason for refusing a record larger than the screen; false then.
bool fitsScreen(int width, int height, const char *what, int i, char *problem, size_t size) {
    if (width <= largestPictureWidth && height <= largestPictureHeight) {
        return true;
    }
    snprintf(problem, size, "%s%d is %d\u00d7%d, larger than the %d\u00d7%d screen", what, i, width,
             height, largestPictureWidth, largestPictureHeight);
    return false;
}

int64_t cost(int width, int height) {
    int64_t pixels = (int64_t)width * height;
    return pixels > smallestPictureCost ? pixels : smallestPictureCost;
}

} // namespace

bool countPictureFile(ByteView view, bool masked, PictureRowFormat rows, int64_t *held,
                      char *problem, size_t problemSize) {
    int count = pictureCountOf(view);
    int64_t total = *held;
    for (int i = 0; i < count; i++) {
        PictureRecord r = pictureRecordOf(view, i, rows, masked);
        if (!fitsScreen(r.width, r.height, "picture ", i, problem, problemSize)) {
            return false;
        }
        total += cost(r.width, r.height);
        if (masked) {
            if (!fitsScreen(r.maskWidth, r.maskHeight, "mask of picture ", i, problem,
                            problemSize)) {
                return false;
            }
            total += cost(r.maskWidth, r.maskHeight);
        }
        if (total > modePicturePixels) {
            snprintf(problem, problemSize,
                     "picture %d takes the pictures of the colour mode past %lld pixels", i,
                     (long long)modePicturePixels);
            return false;
        }
    }
    *held = total;
    return true;
}
