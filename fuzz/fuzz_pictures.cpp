// Fuzzes the picture-set loader. The first byte picks the kind (bit 0: masked,
// bit 1: sixteen colours); the rest is the decompressed file, which is packed into
// the container and loaded as the engine loads a set.
#include "formats/formats.h"
#include "fuzz_support.h"
#include "gfx/byte_view.h"
#include "gfx/graphics.h"
#include "gfx/graphics_store.h"
#include "gfx/picture_decode.h"
#include "gfx/pictures.h"

namespace {

typedef int32_t (*SetLoader)(const char *path, int number, uint16_t *count);

// Loader, set number and row format by kind: plain 4, masked 4, plain 16, masked 16.
const SetLoader loaders[4] = {loadPictureSet4, loadMaskedPictureSet4, loadPictureSet16,
                              loadMaskedPictureSet16};
const int setNumbers[4] = {3, 17, 3, 17};

// Pictures of many megapixels decode correctly but take seconds each; the decoder
// does the same for every size, so the fuzzer stays with small ones.
const int64_t pixelBudget = 1 << 17;
const int pictureBudget = 512;

int64_t recordArea(ByteView &view, int64_t offset) {
    return (int64_t)viewLe16(view, offset) * viewLe16(view, offset + 2);
}

// The pixels of every picture and mask the file declares, as the loader will
// find them; the budget plus one once over it.
int64_t declaredPixels(const uint8_t *data, size_t size, bool masked, PictureRowFormat rows) {
    ByteView view = makeByteView(data, (int64_t)size);
    int count = viewLe16(view, 0);
    if (count > pictureBudget) {
        return pixelBudget + 1;
    }
    int64_t total = 0;
    for (int i = 0; i < count && total <= pixelBudget; i++) {
        int64_t offset = masked ? viewLe16(view, 2 + 4 * i) : viewLe32(view, 2 + 4 * i);
        total += recordArea(view, offset);
        if (masked && total <= pixelBudget) {
            int64_t rowBytes = pictureRowBytes(viewLe16(view, offset), rows);
            total += recordArea(view, offset + 4 + rowBytes * viewLe16(view, offset + 2));
        }
    }
    return total;
}

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
    bool masked = (kind & 1) != 0;
    PictureRowFormat rows = kind < 2 ? pictureRows4 : pictureRows16;
    if (declaredPixels(data + 1, size - 1, masked, rows) > pixelBudget) {
        return -1; // not kept in the corpus
    }
    useColourMode(kind < 2);
    Bytes packed = packLzw(Bytes(data + 1, data + size));
    writeScratchFile("input.pic", packed.data(), packed.size());
    int number = setNumbers[kind];
    loaders[kind](scratchPath("input.pic").c_str(), number, &pictureSets[number].count);
    freeGraphics();
    return 0;
}
