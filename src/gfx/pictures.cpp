#include "gfx/pictures.h"

#include <cstdlib>

#include "data/lzw.h"
#include "gfx/byte_view.h"
#include "gfx/graphics_store.h"
#include "gfx/load_failure.h"
#include "gfx/palette.h"
#include "gfx/picture_budget.h"
#include "gfx/picture_decode.h"
#include "gfx/scale.h"

namespace {

// The picture files by set number: 4-colour and 16-colour name.
const char *const pictureFiles[pictureSetCount][2] = {
    {"create.4", "create.16"}, {"dng1.4", "dng1.16"},       {"dng2.4", "dng2.16"},
    {"dng3.4", "dng3.16"},     {"end1.4", "end1.16"},       {"end2.4", "end2.16"},
    {"endsc.4", "endsc.16"},   {"startsc.4", "startsc.16"}, {"story1.4", "story1.16"},
    {"story2.4", "story2.16"}, {"story3.4", "story3.16"},   {"story4.4", "story4.16"},
    {"story5.4", "story5.16"}, {"story6.4", "story6.16"},   {"text.4", "text.16"},
    {"varnok.4", "varnok.16"}, {"items.4", "items.16"},     {"mon0.4", "mon0.16"},
    {"mon1.4", "mon1.16"},     {"mon2.4", "mon2.16"},       {"mon3.4", "mon3.16"},
    {"mon4.4", "mon4.16"},     {"mon5.4", "mon5.16"},       {"mon6.4", "mon6.16"},
    {"mon7.4", "mon7.16"},
};

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
    load.pictures[i] = scaleSurface(decodePicture(load.view, offset, load.rows, &end), 2, 1, 1);
    if (load.pictures[i] == nullptr) {
        return false;
    }
    if (load.masked) {
        load.masks[i] = scaleSurface(decodeMask(load.view, end), 2, 1, 1);
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

void releaseLoadedFile() {
    free(LoadedFile.data);
    LoadedFile.data = nullptr;
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

const char *pictureFileName(int number, bool fourColour) {
    if (number < 0 || number >= pictureSetCount) {
        return nullptr;
    }
    return pictureFiles[number][fourColour ? 0 : 1];
}

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
