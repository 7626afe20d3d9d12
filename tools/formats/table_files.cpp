// Writers for the table file, the tile-name file and the character files.
#include "formats/formats.h"

#include <algorithm>

#include "4-data/file_formats.h"

namespace {

// Appends a zero-terminated text and returns where it starts.
size_t appendText(Bytes &out, const std::string &text) {
    size_t at = out.size();
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
    return at;
}

} // namespace

Bytes buildTableFile(const uint8_t chunkLayout[256], const std::vector<LocationSpec> &locations) {
    Bytes out(tableFileMinimumSize, 0);
    std::copy(chunkLayout, chunkLayout + chunkLayoutSize, out.begin() + chunkLayoutOffset);
    // Names follow the chunk layout; a name position points before its text.
    size_t emptyName = appendText(out, "");
    for (int i = 0; i < locationCount; i++) {
        size_t at = emptyName;
        if (i < (int)locations.size()) {
            at = appendText(out, locations[i].name);
            out[locationColumnsOffset + i] = locations[i].column;
            out[locationRowsOffset + i] = locations[i].row;
        }
        setLe(out, namePositionsOffset + 2 * i, (uint32_t)(at - namePositionBias), 2);
    }
    return out;
}

Bytes buildTileNameFile(const std::vector<std::string> &names) {
    Bytes out(2 * tileNameCount, 0);
    size_t emptyName = appendText(out, "");
    for (int i = 0; i < tileNameCount; i++) {
        size_t at = emptyName;
        if (i < (int)names.size() && !names[i].empty()) {
            at = appendText(out, names[i]);
        }
        setLe(out, 2 * i, (uint32_t)at, 2);
    }
    return out;
}

Bytes buildNpcFile(const std::vector<SettlementPeople> &records) {
    Bytes out(npcFileSize, 0);
    size_t count = std::min(records.size(), (size_t)npcRecordsPerFile);
    for (size_t s = 0; s < count; s++) {
        uint8_t *record = out.data() + s * npcRecordSize;
        for (int p = 0; p < npcPeoplePerRecord; p++) {
            const PersonSpec &person = records[s].people[p];
            uint8_t *entry = record + npcEntrySize * p;
            entry[npcColumnOffset] = person.column;
            entry[npcRowOffset] = person.row;
            entry[npcFloorOffset] = person.floor;
            record[npcTypeTable + p] = person.type;
            record[npcExtraTable + p] = person.extra;
        }
    }
    return out;
}
