// Fuzzes the compressed-file reader: the input is a whole file on disk.
#include <cstdlib>

#include "4-data/lzw.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    writeScratchFile("input.lzw", data, size);
    LoadedFile.data = nullptr;
    if (loadLzwFile(scratchPath("input.lzw").c_str()) == 1) {
        // Touch every decoded byte so that a wrong size shows up.
        volatile uint8_t sum = 0;
        for (int32_t i = 0; i < LoadedFile.size; i++) {
            sum = sum + LoadedFile.data[i];
        }
        free(LoadedFile.data);
        LoadedFile.data = nullptr;
    }
    return 0;
}
