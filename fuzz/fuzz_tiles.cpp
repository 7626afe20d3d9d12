// Fuzzes the tile loader. The first byte picks the mode (bit 0: sixteen colours);
// the rest is the decompressed tile file, packed and loaded as at start-up.
#include "3-gfx/graphics.h"
#include "3-gfx/tiles.h"
#include "formats/formats.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 200000) {
        return 0;
    }
    bool sixteen = (data[0] & 1) != 0;
    useColourMode(!sixteen);
    Bytes packed = packLzw(Bytes(data + 1, data + size));
    writeScratchFile(sixteen ? "tiles.16" : "tiles.4", packed.data(), packed.size());
    LoadFailure failure;
    if (sixteen) {
        loadTiles16(failure);
    } else {
        loadTiles4(failure);
    }
    freeGraphics();
    return 0;
}
