// Fuzzes the whole start-up load: one file of the demo world is replaced by the
// input and loadGameData reads the directory as the game does; a refused file is
// a returned failure like any other outcome, and the teardown runs either way. Byte 0 picks the file, bit 0 of byte 1 the colour mode (a graphics file of
// one mode forces it); the rest is the file, packed into the LZW container first
// when the file is a compressed one.
#include <cstring>
#include <string>
#include <vector>

#include "1-app/run/game_load.h"
#include "1-app/run/shutdown.h"
#include "4-data/file_formats.h"
#include "demo/demo_world.h"
#include "formats/formats.h"
#include "fuzz_support.h"

namespace {

std::vector<StartupFile> files;
std::vector<Bytes> originals;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    std::string problem;
    if (!writeDemoWorld(scratchDirectory(), problem)) {
        fprintf(stderr, "fuzz: %s\n", problem.c_str());
        exit(1);
    }
    files = startupFiles();
    for (const StartupFile &file : files) {
        Bytes bytes;
        readBytes(scratchPath(file.name.c_str()), bytes);
        originals.push_back(bytes);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2 || size > 300000) {
        return 0;
    }
    size_t pick = data[0] % files.size();
    const StartupFile &file = files[pick];
    bool fourColour = file.mode >= 0 ? file.mode == 1 : (data[1] & 1) == 0;
    Bytes content(data + 2, data + size);
    if (file.compressed) {
        content = packLzw(content);
    }
    writeScratchFile(file.name.c_str(), content.data(), content.size());
    useColourMode(fourColour);
    LoadFailure failure;
    loadGameData(failure);
    releaseEverything();
    reopenAfterTeardown();
    writeScratchFile(file.name.c_str(), originals[pick].data(), originals[pick].size());
    return 0;
}
