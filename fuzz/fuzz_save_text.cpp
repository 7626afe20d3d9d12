// Fuzzes the reader of a saved game's text: whatever it accepts reads back the
// same after being written again.
#include <cstdlib>
#include <string>
#include <vector>

#include "2-play/save_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    SavedGame game;
    std::string problem;
    if (!readSaveText(bytes, game, problem)) {
        return 0;
    }
    std::string text = saveText(game);
    SavedGame again;
    if (!readSaveText(std::vector<uint8_t>(text.begin(), text.end()), again, problem) ||
        saveText(again) != text) {
        abort();
    }
    return 0;
}
