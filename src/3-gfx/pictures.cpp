#include "3-gfx/pictures.h"

#include <cstdlib>

#include "3-gfx/byte_view.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/load_failure.h"
#include "3-gfx/palette.h"
#include "3-gfx/picture_budget.h"
#include "3-gfx/picture_decode.h"
#include "3-gfx/scale.h"
#include "4-data/lzw.h"

namespace {

const int32_t fileFailed = -1;
const int32_t surfaceFailed = -2;
const int32_t overBudget = -3;

// Pixels the loaded sets of the colour mode hold, as the budget counts them.
int64_t pixelsHeld = 0;

// Why the last set load failed, for the line naming its file: nullptr when the
// file could not be opened.
const char *setProblem = nullptr;
char budgetProblem[160];

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
    int64_t offset = pictureEntryOffset(load.view, i, load.masked);
    int64_t end = 0;
    load.pictures[i] = enlargeDecoded(decodePicture(load.view, offset, load.rows, &end));
    if (load.pictures[i] == nullptr) {
        return false;
    }
    if (load.masked) {
        load.masks[i] = enlargeDecoded(decodeMask(load.view, end));
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

int32_t loadSet(const char *path, int number, uint16_t *count, PictureRowFormat rows, bool masked) {
    int first = masked ? firstMaskedSet : 0;
    int last = masked ? pictureSetCount - 1 : firstMaskedSet - 1;
    setProblem = nullptr;
    if (number < first || number > last) {
        return fileFailed;
    }
    int loaded = loadLzwFile(path);
    if (loaded < 0) {
        setProblem = compressedFileProblem(loaded);
        return fileFailed;
    }
    SetLoad load = {
        makeByteView(LoadedFile.data, LoadedFile.size), rows, masked, 0, nullptr, nullptr};
    // Counted before any surface is made: a refused file costs nothing but its bytes.
    if (!countPictureFile(load.view, masked, rows, &pixelsHeld, budgetProblem,
                          sizeof budgetProblem)) {
        releaseLoadedFile();
        *count = 0;
        setProblem = budgetProblem;
        return overBudget;
    }
    load.count = viewLe16(load.view, 0);
    *count = (uint16_t)load.count;
    if (load.count > 0) {
        load.pictures = (SDL_Surface **)allocateOrFail(load.count, sizeof(SDL_Surface *), path);
        load.masks = masked
                         ? (SDL_Surface **)allocateOrFail(load.count, sizeof(SDL_Surface *), path)
                         : nullptr;
    }
    pictureSets[number].surfaces = load.pictures;
    bool complete = decodeSet(load);
    if (complete && masked) {
        applyPictureMasks(load.pictures, load.masks, load.count, keyColour());
    }
    freeSurfaces(load.masks, load.count);
    warnIfShort(load.view, path);
    releaseLoadedFile();
    if (!complete) {
        // An unfinished set keeps nothing.
        freeSurfaces(load.pictures, load.count);
        pictureSets[number].surfaces = nullptr;
        *count = 0;
        setProblem = surfaceProblem;
        return surfaceFailed;
    }
    return 0;
}

typedef int32_t (*SetLoader)(const char *path, int number, uint16_t *count);

void loadAllSets(bool fourColour, SetLoader plain, SetLoader masked) {
    pixelsHeld = 0;
    for (int k = 0; k < pictureSetCount; k++) {
        char *path = graphicsPath(pictureFileName(k, fourColour));
        SetLoader loader = k < firstMaskedSet ? plain : masked;
        int32_t result = loader(path, k, &pictureSets[k].count);
        if (result < 0) {
            pictureSets[k].count = 0;
            failGraphicsFile(path, setProblem);
        }
        free(path);
    }
}

} // namespace

int32_t loadPictureSet4(const char *path, int number, uint16_t *count) {
    return loadSet(path, number, count, pictureRows4, false);
}

int32_t loadPictureSet16(const char *path, int number, uint16_t *count) {
    return loadSet(path, number, count, pictureRows16, false);
}

int32_t loadMaskedPictureSet4(const char *path, int number, uint16_t *count) {
    return loadSet(path, number, count, pictureRows4, true);
}

int32_t loadMaskedPictureSet16(const char *path, int number, uint16_t *count) {
    return loadSet(path, number, count, pictureRows16, true);
}

void loadPictureSets4() {
    loadAllSets(true, loadPictureSet4, loadMaskedPictureSet4);
}

void loadPictureSets16() {
    loadAllSets(false, loadPictureSet16, loadMaskedPictureSet16);
}

void freePictureSets() {
    pixelsHeld = 0;
    for (PictureSet &set : pictureSets) {
        freeSurfaces(set.surfaces, set.surfaces != nullptr ? set.count : 0);
        set.surfaces = nullptr;
    }
}
