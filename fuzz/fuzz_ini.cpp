// Fuzzes the key=value reader with both of its handlers. Byte 0 picks the handler
// (bit 0: the music table, else the settings); the rest is the text, cut at the
// first zero byte as a text read from a file would be.
#include <cstdlib>
#include <cstring>
#include <string>

#include "1-app/config/settings.h"
#include "3-audio/music.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    initFuzzHeadless();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) {
        return 0;
    }
    bool music = (data[0] & 1) != 0;
    char *text = (char *)calloc(size, 1);
    memcpy(text, data + 1, size - 1);
    if (music) {
        // No "music.ini" in the working directory: an empty table to fill.
        loadMusicTable();
        parseIniText(text, addMusicEntry);
        closeAudio();
    } else {
        parseIniText(text, applySetting);
        freeSettingTexts();
    }
    free(text);
    return 0;
}
