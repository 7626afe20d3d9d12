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

void freeSurfaces(SDL_Surface **surfaces, int count) {
    for (int i = 0; surfaces != nullptr && i < count; i++) {
        SDL_FreeSurface(surfaces[i]);
    }
    free(surfaces);
}

// The problem of a failed load for its caller, when one is asked for.
int32_t setFailed(int32_t result, const std::string &why, std::string *problem) {
    if (problem != nullptr) {
        *problem = why;
    }
    return result;
}

// Picture i of a set, decoded, masked and enlarged; nullptr when a surface cannot
// be made. The colour mode and the enlarger are those of the load: both are set
// before it and stay for the run.
SDL_Surface *makePicture(PictureSet &set, bool masked, int i) {
    ByteView view = makeByteView(set.file.data(), (int64_t)set.file.size());
    PictureRecord record = pictureRecordOf(view, i, set.rows, masked);
    SDL_Surface *picture = enlargeDecoded(decodePicture(view, record));
    if (picture == nullptr || !masked) {
        return picture;
    }
    SDL_Surface *mask = enlargeDecoded(decodeMask(view, record));
    if (mask == nullptr) {
        SDL_FreeSurface(picture);
        return nullptr;
    }
    applyPictureMasks(&picture, &mask, 1, keyColour());
    SDL_FreeSurface(mask);
    return picture;
}

// Reads every record's place as decoding will, so that a file shorter than its
// layout is named at start-up, as it always was, not at a picture's first ask.
void noteShortFile(ByteView &view, int count, PictureRowFormat rows, bool masked,
                   const char *path) {
    for (int i = 0; i < count; i++) {
        noteRecordReads(view, pictureRecordOf(view, i, rows, masked));
    }
    warnIfShort(view, path);
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
    ByteView view = makeByteView(bytes.data(), (int64_t)bytes.size());
    // Counted before anything is kept: a refused file costs nothing but its bytes.
    char budgetProblem[160];
    if (!countPictureFile(view, masked, rows, &pixelsHeld, budgetProblem, sizeof budgetProblem)) {
        *count = 0;
        return setFailed(overBudget, budgetProblem, problem);
    }
    int pictures = pictureCountOf(view);
    PictureSet &set = graphicsStore.pictureSets[number];
    // A set loaded again drops what it held.
    freeSurfaces(set.surfaces, set.surfaces != nullptr ? set.count : 0);
    set.surfaces = nullptr;
    set.count = *count = 0;
    if (pictures > 0) {
        set.surfaces = (SDL_Surface **)calloc(pictures, sizeof(SDL_Surface *));
        if (set.surfaces == nullptr) {
            return setFailed(surfaceFailed, memoryProblem, problem);
        }
    }
    noteShortFile(view, pictures, rows, masked, path);
    set.count = *count = (uint16_t)pictures;
    // The pictures are made at their first ask, from the file kept here.
    set.file.swap(bytes);
    set.rows = rows;
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

SDL_Surface *pictureOf(int number, int i) {
    if (number < 0 || number >= pictureSetCount) {
        return nullptr;
    }
    PictureSet &set = graphicsStore.pictureSets[number];
    if (set.surfaces == nullptr || i < 0 || i >= set.count) {
        return nullptr;
    }
    if (set.surfaces[i] == nullptr) {
        set.surfaces[i] = makePicture(set, number >= firstMaskedSet, i);
    }
    return set.surfaces[i];
}

void freePictureSets() {
    pixelsHeld = 0;
    for (PictureSet &set : graphicsStore.pictureSets) {
        freeSurfaces(set.surfaces, set.surfaces != nullptr ? set.count : 0);
        set.surfaces = nullptr;
        std::vector<uint8_t>().swap(set.file);
    }
}
