// Fuzzes the font loader. Byte 0 picks the mode (bit 0: sixteen colours), bytes 1-2
// the length of "ibm.ch" (little-endian); the rest is "ibm.ch", then "runes.ch".
#include "3-gfx/fonts.h"
#include "3-gfx/graphics.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 3) {
        return 0;
    }
    bool sixteen = (data[0] & 1) != 0;
    size_t textLength = data[1] | data[2] << 8;
    const uint8_t *rest = data + 3;
    size_t restSize = size - 3;
    if (textLength > restSize) {
        textLength = restSize;
    }
    useColourMode(!sixteen);
    writeScratchFile("ibm.ch", rest, textLength);
    writeScratchFile("runes.ch", rest + textLength, restSize - textLength);
    LoadFailure failure;
    if (sixteen) {
        loadFonts16(failure);
    } else {
        loadFonts4(failure);
    }
    freeGraphics();
    return 0;
}
