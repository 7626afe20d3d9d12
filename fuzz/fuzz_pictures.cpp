// Fuzzes the picture-set loader. The first byte picks the kind (bit 0: masked,
// bit 1: sixteen colours); the rest is the decompressed file, which is packed into
// the container and loaded as the engine loads a set. Any declared size is fed:
// the picture budget keeps even the largest declarations cheap.
#include "3-gfx/graphics.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/pictures.h"
#include "formats/formats.h"
#include "fuzz_support.h"

namespace {

typedef int32_t (*SetLoader)(const char *path, int number, uint16_t *count, std::string *problem);

// Loader and set number by kind: plain 4, masked 4, plain 16, masked 16.
const SetLoader loaders[4] = {loadPictureSet4, loadMaskedPictureSet4, loadPictureSet16,
                              loadMaskedPictureSet16};
const int setNumbers[4] = {3, 17, 3, 17};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 200000) {
        return 0;
    }
    int kind = data[0] & 3;
    useColourMode(kind < 2);
    Bytes packed = packLzw(Bytes(data + 1, data + size));
    writeScratchFile("input.pic", packed.data(), packed.size());
    int number = setNumbers[kind];
    loaders[kind](scratchPath("input.pic").c_str(), number,
                  &graphicsStore.pictureSets[number].count, nullptr);
    // Pictures are made at their first ask: ask for each, as a drawing would.
    for (int i = 0; i < graphicsStore.pictureSets[number].count; i++) {
        pictureOf(number, i);
    }
    freeGraphics();
    return 0;
}
