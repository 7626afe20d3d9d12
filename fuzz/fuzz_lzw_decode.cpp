// Fuzzes the codeword decoder on a buffer: four bytes of declared size (kept below
// 1 MiB), then the stream. The output buffer is exactly the declared size.
#include <cstdlib>
#include <vector>

#include "4-data/lzw.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 4) {
        return 0;
    }
    int32_t declared = (int32_t)((data[0] | data[1] << 8 | data[2] << 16) & 0xfffff);
    // Copies, so that the sanitizer sees the exact ends of both buffers.
    std::vector<uint8_t> stream(data + 4, data + size);
    uint8_t *out = (uint8_t *)malloc(declared > 0 ? declared : 1);
    LzwStream s = {stream.data(), (int32_t)stream.size(), 0};
    lzwDecode(s, out, declared);
    free(out);
    return 0;
}
