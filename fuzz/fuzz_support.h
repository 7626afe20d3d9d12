// What every fuzz target shares: headless SDL video with the colour mode's palette,
// and a scratch data directory that the engine's readers take their files from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Sets the dummy video driver, opens a 640x400 8-bit screen, installs the smooth
// enlarger and points the data directory at a new scratch directory. Once.
void initFuzzHeadless();

// After the engine's teardown (which quits SDL and forgets the data directory):
// the screen, enlarger and scratch data directory as initFuzzHeadless left them.
void reopenAfterTeardown();

// Selects the palette and "video" setting of a colour mode.
void useColourMode(bool fourColour);

// The scratch data directory and a file in it.
const std::string &scratchDirectory();
std::string scratchPath(const char *name);

// Writes bytes as the named file of the scratch directory; ends the process when
// the file cannot be written, as nothing could be fuzzed then.
void writeScratchFile(const char *name, const uint8_t *data, size_t size);

// The files a start-up reads, in the order the start-up target numbers them.
struct StartupFile {
    std::string name;
    bool compressed; // fed to the target unpacked, packed by it
    int mode;        // 1: read in 4 colours only, 0: in 16 only, -1: in both
};
std::vector<StartupFile> startupFiles();
