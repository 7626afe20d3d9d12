// Putting an edited overworld back into its chunks. The overworld is stored as
// 16 x 16 chunks of "arva.dat" placed by the chunk layout of the table file, and
// several blocks may share a chunk. A block whose cells and layout entry are both
// unchanged keeps its chunk; a block given another layout entry takes that chunk;
// a block with changed cells gets an identical existing chunk, its own chunk
// rewritten when no other block uses it, or a chunk appended to the file.
#pragma once

#include <string>
#include <vector>

#include "formats/formats.h"

struct OverworldEdit {
    std::vector<uint8_t> layout; // the layout as the folder has it (256 entries)
    std::vector<uint8_t> cells;  // the map as the folder has it (256 x 256)
};

// Updates the layout in the table file and the chunks file. False with the
// block (0-255) and `problem` when a block cannot be stored.
bool storeOverworld(const OverworldEdit &edit, Bytes &tableFile, Bytes &chunkFile, int &block,
                    std::string &problem);
