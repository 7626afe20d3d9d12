#include "data/characters.h"

#include <cstdio>
#include <cstring>

#include "data/essential_file.h"
#include "data/maps.h"

NpcSlot npcSlots[npcSlotCount];
const uint8_t *currentCharacterRecord = nullptr;

namespace {

// Indexed by MapKind - towne: towne, castle, keep, dwelling.
uint8_t npcFiles[4][npcFileSize];

// Entry offsets within a person's 16-byte entry, and the two per-person tables.
const int entrySize = 16;
const int columnOffset = 3;
const int rowOffset = 6;
const int floorOffset = 9;
const int typeTable = 512;
const int extraTable = 544;

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
    readNpcFile("towne.npc", npcFileBuffer(towne));
    readNpcFile("dwelling.npc", npcFileBuffer(dwelling));
    readNpcFile("castle.npc", npcFileBuffer(castle));
    readNpcFile("keep.npc", npcFileBuffer(keep));
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
        const uint8_t *entry = record + entrySize * p;
        npcSlots[p].column = entry[columnOffset];
        npcSlots[p].row = entry[rowOffset];
        npcSlots[p].floor = entry[floorOffset];
        npcSlots[p].extra = record[extraTable + p];
        npcSlots[p].type = record[typeTable + p];
    }
}
