#include "fuzz_support.h"

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "1-app/config/settings.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/palette.h"
#include "3-gfx/pictures.h"
#include "3-gfx/scale.h"
#include "4-data/paths.h"

namespace {

std::string scratch;

void openVideo() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_SetVideoMode(640, 400, 8, 0) == nullptr) {
        fprintf(stderr, "fuzz: no video: %s\n", SDL_GetError());
        exit(1);
    }
    scaler = smoothScale;
}

} // namespace

void initFuzzHeadless() {
    if (!scratch.empty()) {
        return;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    openVideo();
    const char *tmp = getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/varnok-fuzz-XXXXXX";
    if (mkdtemp(&pattern[0]) == nullptr) {
        fprintf(stderr, "fuzz: cannot make a scratch directory\n");
        exit(1);
    }
    scratch = pattern;
    setDataDirectory(pattern.c_str());
    useColourMode(true);
}

void reopenAfterTeardown() {
    openVideo();
    setDataDirectory(scratch.c_str());
}

void useColourMode(bool fourColour) {
    setColourMode(fourColour);
}

const std::string &scratchDirectory() {
    return scratch;
}

std::string scratchPath(const char *name) {
    return scratch + "/" + name;
}

void writeScratchFile(const char *name, const uint8_t *data, size_t size) {
    std::string path = scratchPath(name);
    FILE *file = fopen(path.c_str(), "wb");
    if (file == nullptr || (size > 0 && fwrite(data, 1, size, file) != size)) {
        fprintf(stderr, "fuzz: cannot write '%s'\n", path.c_str());
        exit(1);
    }
    fclose(file);
}

std::vector<StartupFile> startupFiles() {
    std::vector<StartupFile> files;
    for (const char *name : {"data.ovl", "arva.dat", "under.dat", "towne.npc", "dwelling.npc",
                             "castle.npc", "keep.npc", "look2.dat", "towne.dat", "castle.dat",
                             "keep.dat", "dwelling.dat", "ibm.ch", "runes.ch"}) {
        files.push_back({name, false, -1});
    }
    files.push_back({"tiles.4", true, 1});
    files.push_back({"tiles.16", true, 0});
    for (int k = 0; k < pictureSetCount; k++) {
        files.push_back({pictureFileName(k, true), true, 1});
        files.push_back({pictureFileName(k, false), true, 0});
    }
    return files;
}
