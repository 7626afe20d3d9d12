// Writers for the table file, the tile-name file and the character files.
#include "formats/formats.h"

#include <algorithm>

namespace {

const size_t tableFileChunkLayout = 14470;
const size_t tableFileNamePositions = 7754;
const size_t tableFileColumns = 7834;
const size_t tableFileRows = 7874;
const int tableFileLocations = 40;
const int tileNames = 512;
const size_t npcFileBytes = 4608;
const size_t npcRecordBytes = 576;

void putLe16(Bytes &out, size_t at, size_t v) {
    out[at] = (uint8_t)(v & 0xFF);
    out[at + 1] = (uint8_t)((v >> 8) & 0xFF);
}

// Appends a zero-terminated text and returns where it starts.
size_t appendText(Bytes &out, const std::string &text) {
    size_t at = out.size();
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    return at;
}

} // namespace

Bytes buildTableFile(const uint8_t chunkLayout[256], const std::vector<LocationSpec> &locations) {
    Bytes out(tableFileChunkLayout + 256, 0);
    std::copy(chunkLayout, chunkLayout + 256, out.begin() + tableFileChunkLayout);
    // Names follow the chunk layout; a name position points 16 bytes before its text.
    size_t emptyName = appendText(out, "");
    for (int i = 0; i < tableFileLocations; i++) {
        size_t at = emptyName;
        if (i < (int)locations.size()) {
            at = appendText(out, locations[i].name);
            out[tableFileColumns + i] = locations[i].column;
            out[tableFileRows + i] = locations[i].row;
        }
        putLe16(out, tableFileNamePositions + 2 * i, at - 16);
    }
    return out;
}

Bytes buildTileNameFile(const std::vector<std::string> &names) {
    Bytes out(2 * tileNames, 0);
    size_t emptyName = appendText(out, "");
    for (int i = 0; i < tileNames; i++) {
        size_t at = emptyName;
        if (i < (int)names.size() && !names[i].empty()) {
            at = appendText(out, names[i]);
        }
        putLe16(out, 2 * i, at);
    }
    return out;
}

Bytes buildNpcFile(const std::vector<SettlementPeople> &records) {
    Bytes out(npcFileBytes, 0);
    size_t count = std::min(records.size(), npcFileBytes / npcRecordBytes);
    for (size_t s = 0; s < count; s++) {
        uint8_t *record = out.data() + s * npcRecordBytes;
        for (int p = 0; p < 32; p++) {
            const PersonSpec &person = records[s].people[p];
            record[16 * p + 3] = person.column;
            record[16 * p + 6] = person.row;
            record[16 * p + 9] = person.floor;
            record[512 + p] = person.type;
            record[544 + p] = person.extra;
        }
    }
    return out;
}
