#include "4-data/characters.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "4-data/essential_file.h"
#include "4-data/maps.h"

NpcSlot npcSlots[npcSlotCount];
const uint8_t *currentCharacterRecord = nullptr;

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

void readNpcFile(const char *name, uint8_t *buffer) {
    FILE *file = openEssentialFile(name);
    memset(buffer, 0, npcFileSize);
    size_t got = fread(buffer, 1, npcFileSize, file);
    (void)got; // a short file leaves people of type 0
    closeEssentialFile(file, name);
}

void loadNpcFiles() {
    for (uint8_t kind : npcFileOrder) {
        readNpcFile(characterFileName(kind), npcFileBuffer(kind));
    }
}

void setSettlementCharacters(uint8_t kind, int index) {
    uint8_t *file = npcFileBuffer(kind);
    if (file == nullptr || index < 0 || index >= npcRecordsPerFile) {
        currentCharacterRecord = nullptr;
        return;
    }
    const uint8_t *record = file + index * npcRecordSize;
    currentCharacterRecord = record;
    for (int p = 0; p < npcSlotCount; p++) {
        const uint8_t *entry = record + npcEntrySize * p;
        npcSlots[p].column = entry[npcColumnOffset];
        npcSlots[p].row = entry[npcRowOffset];
        npcSlots[p].floor = entry[npcFloorOffset];
        npcSlots[p].extra = record[npcExtraTable + p];
        npcSlots[p].type = record[npcTypeTable + p];
    }
}
