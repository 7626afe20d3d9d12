// Putting edited names back into a file that holds its names as zero-terminated
// texts, where several entries may point at one text: an unchanged name keeps its
// bytes, a changed one is written in its own room when it fits there, and else the
// run of names around it is packed anew (or, where the file allows it, the name
// goes to the end of the file). Nothing outside the names' rooms is touched.
#pragma once

#include <string>
#include <vector>

#include "formats/formats.h"

struct NameEntry {
    size_t offset;        // where the entry's text starts (may lie past the end)
    std::string original; // the name as the engine reads it there
    std::string wanted;   // the name the folder asks for
};

struct NameRules {
    // true: entries that share a text change together (one asks, all follow);
    // false: an entry that asks for another name gets a text of its own.
    bool sharedChangeTogether;
    // Names may be added at the end of the file, at offsets up to this limit;
    // 0: never.
    size_t appendLimit;
};

// Rewrites the changed names into file and updates each entry's offset. False
// with `failed` (the entry index) and `problem` when the names cannot be placed.
bool placeNames(Bytes &file, std::vector<NameEntry> &entries, NameRules rules, int &failed,
                std::string &problem);
