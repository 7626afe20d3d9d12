#include "4-data/world_digest.h"

#include <cstdint>

#include "4-data/data_file.h"
#include "4-data/digest.h"
#include "4-data/file_formats.h"
#include "4-data/map_files.h"
#include "4-data/regular_file.h"
#include "4-data/table_file.h"

namespace {

struct DigestedFile {
    const char *name;
    int64_t limit; // what the game reads of it; bytes past it make no other world
};

std::vector<DigestedFile> digestedFiles() {
    std::vector<DigestedFile> files = {{tableFileName, tableFileReadLimit},
                                       {overworldFileName, worldFileReadLimit},
                                       {underworldFileName, worldFileReadLimit}};
    for (int kind = towne; kind <= dwelling; kind++) {
        files.push_back({settlementMapFileName(kind), settlementFileReadLimit});
    }
    for (int kind = towne; kind <= dwelling; kind++) {
        files.push_back({characterFileName(kind), npcFileSize});
    }
    return files;
}

} // namespace

std::vector<std::string> worldDigestFiles() {
    std::vector<std::string> names;
    for (const DigestedFile &file : digestedFiles()) {
        names.push_back(file.name);
    }
    return names;
}

std::string worldDigest() {
    uint64_t digest = digestStart;
    std::vector<uint8_t> bytes;
    for (const DigestedFile &file : digestedFiles()) {
        std::string path = dataFilePath(file.name);
        bool read = readRegularFile(path.c_str(), file.limit, bytes) == fileAccepted;
        // Each file's name, whether it is there and its length go in before its
        // bytes, so that no two sets of files run together into the same stream.
        uint64_t length = read ? (uint64_t)bytes.size() : UINT64_MAX;
        uint8_t head[8];
        for (int i = 0; i < 8; i++) {
            head[i] = (uint8_t)(length >> (8 * i));
        }
        digest = addToDigest(digest, (const uint8_t *)file.name, std::string(file.name).size() + 1);
        digest = addToDigest(digest, head, sizeof head);
        digest = addToDigest(digest, bytes.data(), bytes.size());
    }
    return digestText(digest);
}
