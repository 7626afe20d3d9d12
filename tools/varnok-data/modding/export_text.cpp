// Export of the text pieces.
#include <algorithm>

#include "4-data/characters.h"
#include "4-data/file_formats.h"
#include "4-data/table_file.h"
#include "4-data/tile_names.h"
#include "plain_text.h"
#include "text_pieces.h"
#include "world_maps.h"

namespace {

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
    const Bytes &tableFile = files.at(tableFileName);
    std::vector<std::string> names = locationNamesOf(tableFile);
    ByteView table = viewOf(tableFile);
    std::string text = csvLine({"number", "name", "column", "row"});
    for (int i = 0; i < locationCount; ++i) {
        text += csvLine({number(i), names[i], number(locationColumnOf(table, i)),
                         number(locationRowOf(table, i))});
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
    // As the engine holds it: past the end of a short file everything is 0.
    Bytes whole(npcFileSize, 0);
    std::copy(file.begin(), file.begin() + std::min(file.size(), whole.size()), whole.begin());
    for (int s = 0; s < npcRecordsPerFile; ++s) {
        const uint8_t *record = whole.data() + (size_t)s * npcRecordSize;
        for (int p = 0; p < npcPeoplePerRecord; ++p) {
            NpcSlot slot = npcSlotOf(record, p);
            text += csvLine({number(s), number(p), number(slot.column), number(slot.row),
                             number(slot.floor), number(slot.type), number(slot.extra)});
        }
    }
    return text;
}

} // namespace

std::vector<std::string> tileNamesOf(const Bytes &tileNameFile) {
    std::vector<std::string> names(tileNameCount);
    ByteView file = viewOf(tileNameFile);
    for (int i = 0; i < tileNameCount; ++i) {
        char name[tileNameMaxLength + 1];
        tileNameOf(file, i, name);
        names[i] = name;
    }
    return names;
}

std::vector<std::string> locationNamesOf(const Bytes &tableFile) {
    std::vector<std::string> names(locationCount);
    ByteView table = viewOf(tableFile);
    for (int i = 0; i < locationCount; ++i) {
        char name[locationNameLength + 2];
        locationNameOf(table, i, name);
        names[i] = name;
    }
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
