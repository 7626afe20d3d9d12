#include "4-data/characters.h"

#include <cstring>
#include <vector>

#include "4-data/data_file.h"
#include "4-data/maps.h"

namespace {

// Indexed by MapKind - towne: towne, castle, keep, dwelling.
uint8_t npcFiles[4][npcFileSize];

} // namespace

uint8_t *npcFileBuffer(uint8_t kind) {
    if (kind < towne || kind > dwelling) {
        return nullptr;
    }
    return npcFiles[kind - towne];
}

bool readNpcFile(const char *name, uint8_t *buffer, LoadFailure &failure) {
    std::vector<uint8_t> bytes;
    memset(buffer, 0, npcFileSize);
    if (!readEssentialFile(name, npcFileSize, bytes, failure)) {
        return false;
    }
    // A short file leaves people of type 0.
    if (!bytes.empty()) {
        memcpy(buffer, bytes.data(), bytes.size());
    }
    return true;
}

bool loadNpcFiles(LoadFailure &failure) {
    for (uint8_t kind : npcFileOrder) {
        if (!readNpcFile(characterFileName(kind), npcFileBuffer(kind), failure)) {
            return false;
        }
    }
    return true;
}

NpcSlot npcSlotOf(const uint8_t *record, int p) {
    const uint8_t *entry = record + npcEntrySize * p;
    NpcSlot slot;
    slot.column = entry[npcColumnOffset];
    slot.row = entry[npcRowOffset];
    slot.floor = entry[npcFloorOffset];
    slot.extra = record[npcExtraTable + p];
    slot.type = record[npcTypeTable + p];
    return slot;
}

const uint8_t *characterRecord(uint8_t kind, int index) {
    uint8_t *file = npcFileBuffer(kind);
    if (file == nullptr || index < 0 || index >= npcRecordsPerFile) {
        return nullptr;
    }
    return file + index * npcRecordSize;
}
