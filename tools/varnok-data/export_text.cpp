// Export of the text pieces.
#include <cstdio>
#include <cstdlib>

#include "4-data/file_formats.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"
#include "plain_text.h"
#include "text_pieces.h"
#include "world_maps.h"

namespace {

// Runs an engine reader that takes an open file over bytes in memory.
template <typename Reader> void readThroughEngine(const Bytes &bytes, Reader reader) {
    static const uint8_t empty = 0;
    FILE *file = fmemopen((void *)(bytes.empty() ? &empty : bytes.data()),
                          bytes.empty() ? 1 : bytes.size(), "rb");
    if (file != nullptr) {
        reader(file, bytes.empty());
        fclose(file);
    }
}

std::string number(int n) {
    return std::to_string(n);
}

struct TextWriter {
    std::string folder;
    int files;
    std::string problem;
};

bool put(TextWriter &w, const std::string &piece, const std::string &text) {
    ++w.files;
    return writeFileMakingFolders(w.folder + "/" + piece, textBytes(text), w.problem);
}

std::string locationsText(const FileSet &files) {
    const Bytes &table = files.at(tableFileName);
    std::vector<std::string> names = locationNamesOf(table);
    std::string text = csvLine({"number", "name", "column", "row"});
    for (int i = 0; i < locationCount; ++i) {
        size_t column = locationColumnsOffset + i, row = locationRowsOffset + i;
        text += csvLine({number(i), names[i], number(column < table.size() ? table[column] : 0),
                         number(row < table.size() ? table[row] : 0)});
    }
    return text;
}

std::string tileNamesText(const FileSet &files) {
    std::vector<std::string> names = tileNamesOf(files.at(tileNameFileName));
    std::string text;
    for (int i = 0; i < tileNameCount; ++i) {
        text += number(i) + " " + escapeName(names[i]) + "\n";
    }
    return text;
}

std::string peopleText(const Bytes &file) {
    std::string text = csvLine({"record", "slot", "column", "row", "floor", "type", "extra"});
    auto at = [&](size_t offset) { return number(offset < file.size() ? file[offset] : 0); };
    for (int s = 0; s < npcRecordsPerFile; ++s) {
        size_t record = (size_t)s * npcRecordSize;
        for (int p = 0; p < npcPeoplePerRecord; ++p) {
            size_t entry = record + (size_t)p * npcEntrySize;
            text += csvLine({number(s), number(p), at(entry + npcColumnOffset),
                             at(entry + npcRowOffset), at(entry + npcFloorOffset),
                             at(record + npcTypeTable + p), at(record + npcExtraTable + p)});
        }
    }
    return text;
}

} // namespace

std::vector<std::string> tileNamesOf(const Bytes &tileNameFile) {
    std::vector<std::string> names(tileNameCount);
    readThroughEngine(tileNameFile, [&](FILE *file, bool empty) {
        if (empty) {
            return;
        }
        readTileNames(file);
        for (int i = 0; i < tileNameCount; ++i) {
            names[i] = tileName(i);
        }
        freeTileNames();
    });
    return names;
}

std::vector<std::string> locationNamesOf(const Bytes &tableFile) {
    std::vector<std::string> names(locationCount);
    readThroughEngine(tableFile, [&](FILE *file, bool empty) {
        if (empty) {
            return;
        }
        readLocations(file);
        for (int i = 0; i < locationCount; ++i) {
            names[i] = locations[i].name != nullptr ? locations[i].name : "";
        }
        freeLocationNames();
    });
    return names;
}

std::vector<std::vector<uint8_t>> worldMapCells(const FileSet &files) {
    std::vector<std::vector<uint8_t>> maps(2 + familyCount);
    maps[0] = overworldCells(chunkLayoutOf(files.at(tableFileName)), files.at(overworldFileName));
    maps[1] = underworldCells(files.at(underworldFileName));
    for (int f = 0; f < familyCount; ++f) {
        auto found = files.find(settlementMapFileName(2 + f));
        if (found != files.end()) {
            maps[2 + f] = settlementCells(found->second);
        }
    }
    return maps;
}

bool exportTextPieces(const FileSet &files, const std::string &folder, TextSummary &summary,
                      std::string &problem) {
    TextWriter w = {folder, 0, ""};
    std::vector<std::vector<uint8_t>> maps = worldMapCells(files);
    std::vector<uint8_t> layout = chunkLayoutOf(files.at(tableFileName));
    bool ok = put(w, locationsPiece, locationsText(files)) &&
              put(w, tileNamesPiece, tileNamesText(files)) &&
              put(w, chunkLayoutPiece, gridText(layout.data(), blocksPerRow, blocksPerRow));
    for (int f = 0; ok && f < familyCount; ++f) {
        ok = put(w, peoplePiece(f), peopleText(files.at(characterFileName(2 + f))));
    }
    summary.maps = 0;
    for (int kind = 0; ok && kind < 2 + familyCount; ++kind) {
        bool world = kind < 2;
        int levels = world ? 1 : maps[kind].empty() ? 0 : settlementLevels;
        int side = world ? worldSize : settlementSize;
        for (int level = 0; ok && level < levels; ++level) {
            const uint8_t *cells = maps[kind].data() + (size_t)level * side * side;
            ok = put(w, mapPiece(kind, level, ".txt"), gridText(cells, side, side));
            ++summary.maps;
        }
    }
    summary.files = w.files;
    problem = w.problem;
    return ok;
}
