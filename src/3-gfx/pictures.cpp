#include "3-gfx/pictures.h"

#include <cstdlib>
#include <vector>

#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/picture_budget.h"
#include "3-gfx/picture_decode.h"
#include "3-gfx/scale.h"
#include "4-data/data_file.h"
#include "4-data/lzw.h"

namespace {

const int32_t fileFailed = -1;
const int32_t surfaceFailed = -2;
const int32_t overBudget = -3;

// Pixels the loaded sets of the colour mode hold, as the budget counts them.
int64_t pixelsHeld = 0;

// One set being decoded: its pictures and, for a masked file, their masks.
struct SetLoad {
    ByteView view;
    PictureRowFormat rows;
    bool masked;
    int count;
    SDL_Surface **pictures;
    SDL_Surface **masks;
};

void freeSurfaces(SDL_Surface **surfaces, int count) {
    for (int i = 0; surfaces != nullptr && i < count; i++) {
        SDL_FreeSurface(surfaces[i]);
    }
    free(surfaces);
}

// Picture i and, when masked, its mask; false when a surface cannot be made.
bool decodeEntry(SetLoad &load, int i) {
    PictureRecord record = pictureRecordOf(load.view, i, load.rows, load.masked);
    load.pictures[i] = enlargeDecoded(decodePicture(load.view, record));
    if (load.pictures[i] == nullptr) {
        return false;
    }
    if (load.masked) {
        load.masks[i] = enlargeDecoded(decodeMask(load.view, record));
        return load.masks[i] != nullptr;
    }
    return true;
}

bool decodeSet(SetLoad &load) {
    for (int i = 0; i < load.count; i++) {
        if (!decodeEntry(load, i)) {
            return false;
        }
    }
    return true;
}

// The problem of a failed load for its caller, when one is asked for.
int32_t setFailed(int32_t result, const std::string &why, std::string *problem) {
    if (problem != nullptr) {
        *problem = why;
    }
    return result;
}

int32_t loadSet(const char *path, int number, uint16_t *count, PictureRowFormat rows, bool masked,
                std::string *problem) {
    int first = masked ? firstMaskedSet : 0;
    int last = masked ? pictureSetCount - 1 : firstMaskedSet - 1;
    if (number < first || number > last) {
        return setFailed(fileFailed, "", problem);
    }
    std::vector<uint8_t> bytes;
    int loaded = loadLzwFile(path, bytes);
    if (loaded < 0) {
        return setFailed(fileFailed, lzwLoadProblem(loaded), problem);
    }
    SetLoad load = {
        makeByteView(bytes.data(), (int64_t)bytes.size()), rows, masked, 0, nullptr, nullptr};
    // Counted before any surface is made: a refused file costs nothing but its bytes.
    char budgetProblem[160];
    if (!countPictureFile(load.view, masked, rows, &pixelsHeld, budgetProblem,
                          sizeof budgetProblem)) {
        *count = 0;
        return setFailed(overBudget, budgetProblem, problem);
    }
    load.count = pictureCountOf(load.view);
    *count = (uint16_t)load.count;
    if (load.count > 0) {
        load.pictures = (SDL_Surface **)calloc(load.count, sizeof(SDL_Surface *));
        load.masks = masked ? (SDL_Surface **)calloc(load.count, sizeof(SDL_Surface *)) : nullptr;
        if (load.pictures == nullptr || (masked && load.masks == nullptr)) {
            free(load.pictures);
            free(load.masks);
            *count = 0;
            return setFailed(surfaceFailed, memoryProblem, problem);
        }
    }
    graphicsStore.pictureSets[number].surfaces = load.pictures;
    bool complete = decodeSet(load);
    if (complete && masked) {
        applyPictureMasks(load.pictures, load.masks, load.count, keyColour());
    }
    freeSurfaces(load.masks, load.count);
    warnIfShort(load.view, path);
    if (!complete) {
        // An unfinished set keeps nothing.
        freeSurfaces(load.pictures, load.count);
        graphicsStore.pictureSets[number].surfaces = nullptr;
        *count = 0;
        return setFailed(surfaceFailed, surfaceProblem, problem);
    }
    return 0;
}

typedef int32_t (*SetLoader)(const char *path, int number, uint16_t *count, std::string *problem);

bool loadAllSets(bool fourColour, SetLoader plain, SetLoader masked, LoadFailure &failure) {
    pixelsHeld = 0;
    for (int k = 0; k < pictureSetCount; k++) {
        std::string path = dataFilePath(pictureFileName(k, fourColour));
        SetLoader loader = k < firstMaskedSet ? plain : masked;
        std::string problem;
        if (loader(path.c_str(), k, &graphicsStore.pictureSets[k].count, &problem) < 0) {
            graphicsStore.pictureSets[k].count = 0;
            return failLoad(failure, path, problem);
        }
    }
    return true;
}

} // namespace

int32_t loadPictureSet4(const char *path, int number, uint16_t *count, std::string *problem) {
    return loadSet(path, number, count, pictureRows4, false, problem);
}

int32_t loadPictureSet16(const char *path, int number, uint16_t *count, std::string *problem) {
    return loadSet(path, number, count, pictureRows16, false, problem);
}

int32_t loadMaskedPictureSet4(const char *path, int number, uint16_t *count, std::string *problem) {
    return loadSet(path, number, count, pictureRows4, true, problem);
}

int32_t loadMaskedPictureSet16(const char *path, int number, uint16_t *count,
                               std::string *problem) {
    return loadSet(path, number, count, pictureRows16, true, problem);
}

bool loadPictureSets4(LoadFailure &failure) {
    return loadAllSets(true, loadPictureSet4, loadMaskedPictureSet4, failure);
}

bool loadPictureSets16(LoadFailure &failure) {
    return loadAllSets(false, loadPictureSet16, loadMaskedPictureSet16, failure);
}

void freePictureSets() {
    pixelsHeld = 0;
    for (PictureSet &set : graphicsStore.pictureSets) {
        freeSurfaces(set.surfaces, set.surfaces != nullptr ? set.count : 0);
        set.surfaces = nullptr;
    }
}
