#include "4-data/file_formats.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Indexed by MapKind - towne.
const char *const settlementMapFiles[] = {"towne.dat", "castle.dat", "keep.dat", "dwelling.dat"};
const char *const characterFiles[] = {"towne.npc", "castle.npc", "keep.npc", "dwelling.npc"};

// The picture files by set number: 4-colour and 16-colour name.
const char *const pictureFiles[pictureSetCount][2] = {
    {"create.4", "create.16"}, {"dng1.4", "dng1.16"},       {"dng2.4", "dng2.16"},
    {"dng3.4", "dng3.16"},     {"end1.4", "end1.16"},       {"end2.4", "end2.16"},
    {"endsc.4", "endsc.16"},   {"startsc.4", "startsc.16"}, {"story1.4", "story1.16"},
    {"story2.4", "story2.16"}, {"story3.4", "story3.16"},   {"story4.4", "story4.16"},
    {"story5.4", "story5.16"}, {"story6.4", "story6.16"},   {"text.4", "text.16"},
    {"varnok.4", "varnok.16"}, {"items.4", "items.16"},     {"mon0.4", "mon0.16"},
    {"mon1.4", "mon1.16"},     {"mon2.4", "mon2.16"},       {"mon3.4", "mon3.16"},
    {"mon4.4", "mon4.16"},     {"mon5.4", "mon5.16"},       {"mon6.4", "mon6.16"},
    {"mon7.4", "mon7.16"},
};

} // namespace

const char *settlementMapFileName(int kind) {
    return kind >= towne && kind <= dwelling ? settlementMapFiles[kind - towne] : nullptr;
}

const char *characterFileName(int kind) {
    return kind >= towne && kind <= dwelling ? characterFiles[kind - towne] : nullptr;
}

const char *tileFileName(bool fourColour) {
    return fourColour ? "tiles.4" : "tiles.16";
}

const char *pictureFileName(int number, bool fourColour) {
    if (number < 0 || number >= pictureSetCount) {
        return nullptr;
    }
    return pictureFiles[number][fourColour ? 0 : 1];
}

int64_t pictureRowBytes(int width, PictureRowFormat format) {
    int64_t bytes = (width + format.pixelsPerByte - 1) / format.pixelsPerByte;
    return (bytes + format.rowAlign - 1) / format.rowAlign * format.rowAlign;
}

bool isLzwHeader(const uint8_t *head, int64_t size) {
    // Byte 3 is the top byte of the declared size; bytes 4 and 5 hold the first
    // 9-bit codeword, which must be the clear code.
    return size >= lzwHeaderBytes && head[3] == 0 && head[4] == 0 && (head[5] & 1) == 1;
}

std::vector<std::string> essentialFileNames(bool fourColour) {
    std::vector<std::string> names = {tableFileName};
    for (int set = 0; set < pictureSetCount; set++) {
        names.push_back(pictureFileName(set, fourColour));
    }
    for (const char *name : {tileFileName(fourColour), textFontFileName, runeFontFileName,
                             overworldFileName, underworldFileName}) {
        names.push_back(name);
    }
    for (uint8_t kind : npcFileOrder) {
        names.push_back(characterFileName(kind));
    }
    names.push_back(tileNameFileName);
    return names;
}

std::vector<std::string> dataFileNames(bool fourColour) {
    std::vector<std::string> names = essentialFileNames(fourColour);
    for (int kind = towne; kind <= dwelling; kind++) {
        names.push_back(settlementMapFileName(kind));
    }
    names.push_back(musicTableFileName);
    std::vector<std::string> once;
    for (const std::string &name : names) {
        if (std::find(once.begin(), once.end(), name) == once.end()) {
            once.push_back(name);
        }
    }
    return once;
}
