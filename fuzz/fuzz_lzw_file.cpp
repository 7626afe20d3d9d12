// Fuzzes the compressed-file reader: the input is a whole file on disk.
#include <vector>

#include "4-data/lzw.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    writeScratchFile("input.lzw", data, size);
    std::vector<uint8_t> out;
    if (loadLzwFile(scratchPath("input.lzw").c_str(), out) == lzwLoaded) {
        // Touch every decoded byte so that a wrong size shows up.
        volatile uint8_t sum = 0;
        for (uint8_t byte : out) {
            sum = sum + byte;
        }
    }
    return 0;
}
