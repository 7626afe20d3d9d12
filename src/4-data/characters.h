// The four character files ("towne.npc", "castle.npc", "keep.npc", "dwelling.npc")
// and the 32 character slots a settlement's record fills (the game in play holds
// the slots of the settlement the player is in: 2-play/game.h).
#pragma once

#include <cstdint>

#include "4-data/file_formats.h"
#include "4-data/load_failure.h"

const int npcSlotCount = npcPeoplePerRecord;

struct NpcSlot {
    uint8_t column;
    uint8_t row;
    uint8_t floor;
    uint8_t extra; // copied from the record, not used
    uint8_t type;  // 0: nobody; otherwise the sprite number (tile name type + 256)
};

// Reads the four character files in the order towne, dwelling, castle, keep.
// False, with failure set, when one cannot be read.
bool loadNpcFiles(LoadFailure &failure);

// Reads up to 4608 bytes of a character file into buffer (the rest stays zero).
bool readNpcFile(const char *name, uint8_t *buffer, LoadFailure &failure);

// Person p (0-31) of a record of a character file: its 576 bytes.
NpcSlot npcSlotOf(const uint8_t *record, int p);

// The whole buffer of a family's character file (kind 2-5), or nullptr.
uint8_t *npcFileBuffer(uint8_t kind);

// Record `index` of the family's file; nullptr for any other kind, or an index
// outside 0-7 (no characters).
const uint8_t *characterRecord(uint8_t kind, int index);
