// Import of the text pieces onto the raw copies of the data files.
#include <algorithm>

#include "4-data/file_formats.h"
#include "4-data/shown_text.h"
#include "name_room.h"
#include "overworld_chunks.h"
#include "plain_text.h"
#include "text_pieces.h"
#include "world_maps.h"

namespace {

const size_t tileNameOffsetLimit = 0xFFFF; // name offsets are 16-bit

// Far more than the largest text piece of any world (the overworld grid is about
// 230 KB); a larger piece is refused before it is read.
const int64_t largestTextPiece = 16 << 20;
// Likewise in lines (the longest piece has 512): the readers keep a record per line,
// so that millions of empty lines within 16 MiB would cost gigabytes.
const size_t mostTextLines = 65536;

// Every piece is read to its end: each problem found is kept, and the import goes
// on to the next row or piece, so that one run names everything to mend.
struct Reader {
    std::string folder;
    Problems &problems;
};

// "<folder>/<piece>:<line>: <what>", or without the line when it is 0.
bool fail(Reader &r, const std::string &piece, int line, const std::string &what) {
    r.problems.push_back(r.folder + "/" + piece + (line > 0 ? ":" + std::to_string(line) : "") +
                         ": " + what);
    return false;
}

// A text piece: a regular file reached through no link, at most 16 MiB and 65,536
// lines.
bool readPiece(Reader &r, const std::string &piece, std::string &text) {
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = openInsideFolder(r.folder, piece, followNoLinks, &size, &why);
    if (file != nullptr && size > largestTextPiece) {
        fclose(file);
        return fail(r, piece, 0,
                    std::to_string(size) + " bytes, more than a text piece can be (16 MiB)");
    }
    Bytes bytes;
    why = file != nullptr ? readMoreOf(file, size, bytes) : why;
    if (file != nullptr) {
        fclose(file);
    }
    if (why != fileAccepted) {
        return fail(r, piece, 0,
                    why == fileNotRegular ? "is not a regular file (links are not followed here)"
                                          : "cannot be read");
    }
    size_t lines = (size_t)std::count(bytes.begin(), bytes.end(), '\n');
    if (lines > mostTextLines) {
        return fail(r, piece, 0,
                    std::to_string(lines) + " lines, more than a text piece can have (" +
                        std::to_string(mostTextLines) + ")");
    }
    text = bytesText(bytes);
    return true;
}

// Reads a CSV piece whose first record is the header and checks its shape.
bool readTable(Reader &r, const std::string &piece, const std::vector<std::string> &header,
               size_t rows, std::vector<CsvRecord> &records) {
    std::string text, problem;
    if (!readPiece(r, piece, text)) {
        return false;
    }
    if (!parseCsv(text, records, problem)) {
        r.problems.push_back(r.folder + "/" + piece + ":" + problem);
        return false;
    }
    if (records.empty() || records[0].fields != header) {
        std::string line = csvLine(header);
        return fail(r, piece, 1, "the first line must be " + line.substr(0, line.size() - 1));
    }
    bool ok = true;
    for (size_t i = 1; i < records.size(); ++i) {
        if (records[i].fields.size() != header.size()) {
            ok = fail(r, piece, records[i].line,
                      std::to_string(records[i].fields.size()) + " fields, a row has " +
                          std::to_string(header.size()));
        }
    }
    if (records.size() != rows + 1) {
        ok = fail(r, piece, records.back().line,
                  std::to_string(records.size() - 1) + " rows, the table has " +
                      std::to_string(rows));
    }
    return ok;
}

bool field(Reader &r, const std::string &piece, const CsvRecord &record, size_t index,
           const char *name, int limit, int &value) {
    if (!parseNumber(record.fields[index], limit, value)) {
        return fail(r, piece, record.line,
                    std::string(name) + " '" + shownWord(record.fields[index]) +
                        "' is not a number 0-" + std::to_string(limit));
    }
    return true;
}

uint16_t le16At(const Bytes &file, size_t at) {
    ByteView view = viewOf(file);
    return viewLe16(view, (int64_t)at);
}

void setLe16(Bytes &file, size_t at, size_t value) {
    uint8_t bytes[2] = {(uint8_t)value, (uint8_t)(value >> 8)};
    placeBytes(file, at, bytes, 2, 0);
}

bool locationNumber(Reader &r, const CsvRecord &record, int location) {
    int n = 0;
    if (!parseNumber(record.fields[0], 999, n) || n != location) {
        return fail(r, locationsPiece, record.line,
                    "number '" + shownWord(record.fields[0]) + "', the row is location " +
                        std::to_string(location));
    }
    return true;
}

bool locationName(Reader &r, const CsvRecord &record) {
    const std::string &name = record.fields[1];
    if (name.size() > (size_t)locationNameLength) {
        return fail(r, locationsPiece, record.line,
                    "name '" + shownWord(name) + "' is " + std::to_string(name.size()) +
                        " characters, " + std::to_string(locationNameLength) + " at most");
    }
    size_t stop = name.find_first_of(std::string("\n\0", 2));
    if (stop != std::string::npos && !(name[stop] == '\n' && stop + 1 == name.size())) {
        return fail(r, locationsPiece, record.line,
                    "a name holds no zero byte, and a line break only at its end");
    }
    return true;
}

bool importLocations(Reader &r, Bytes &table) {
    std::vector<CsvRecord> records;
    if (!readTable(r, locationsPiece, {"number", "name", "column", "row"}, locationCount,
                   records)) {
        return false;
    }
    std::vector<std::string> names = locationNamesOf(table);
    std::vector<NameEntry> entries;
    bool rowsOk = true;
    for (int i = 0; i < locationCount; ++i) {
        const CsvRecord &record = records[i + 1];
        int column = 0, row = 0;
        const std::string &name = record.fields[1];
        // Every field is looked at, so that a row names all its mistakes at once.
        bool rowOk = locationNumber(r, record, i);
        rowOk = locationName(r, record) && rowOk;
        rowOk = field(r, locationsPiece, record, 2, "column", 255, column) && rowOk;
        rowOk = field(r, locationsPiece, record, 3, "row", 255, row) && rowOk;
        if (!rowOk) {
            rowsOk = false;
            continue;
        }
        uint8_t c = (uint8_t)column, w = (uint8_t)row;
        placeBytes(table, locationColumnsOffset + i, &c, 1, 0);
        placeBytes(table, locationRowsOffset + i, &w, 1, 0);
        size_t position = le16At(table, namePositionsOffset + 2 * i);
        entries.push_back(NameEntry{position + namePositionBias, names[i], name});
    }
    if (!rowsOk) {
        return false; // the names are placed only when every row can be read
    }
    int failed = 0;
    std::string problem;
    if (!placeNames(table, entries, NameRules{true, 0}, failed, problem)) {
        return fail(r, locationsPiece, records[failed + 1].line,
                    "location " + std::to_string(failed) + ": " + problem + " in " + tableFileName);
    }
    for (int i = 0; i < locationCount; ++i) {
        size_t position = entries[i].offset - namePositionBias;
        if (position != le16At(table, namePositionsOffset + 2 * i)) {
            setLe16(table, namePositionsOffset + 2 * i, position);
        }
    }
    return true;
}

bool importTileNames(Reader &r, Bytes &file) {
    std::string text;
    if (!readPiece(r, tileNamesPiece, text)) {
        return false;
    }
    std::vector<std::string> lines = textLines(text);
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    if (lines.size() != (size_t)tileNameCount) {
        return fail(r, tileNamesPiece, (int)lines.size(),
                    std::to_string(lines.size()) + " lines, there are " +
                        std::to_string(tileNameCount) + " tile names");
    }
    std::vector<std::string> names = tileNamesOf(file);
    std::vector<NameEntry> entries;
    bool linesOk = true;
    for (int i = 0; i < tileNameCount; ++i) {
        const std::string &line = lines[i];
        size_t blank = line.find(' ');
        int n = 0;
        std::string name;
        if (!parseNumber(line.substr(0, blank), 999, n) || n != i) {
            linesOk =
                fail(r, tileNamesPiece, i + 1,
                     "the line must start with its number " + std::to_string(i) + " and a blank");
        } else if (!unescapeName(blank == std::string::npos ? "" : line.substr(blank + 1), name)) {
            linesOk = fail(r, tileNamesPiece, i + 1, "a backslash starts \\\\ or \\xHH only");
        } else if (name.size() > (size_t)tileNameMaxLength ||
                   name.find('\0') != std::string::npos) {
            linesOk = fail(r, tileNamesPiece, i + 1,
                           "a tile name has at most " + std::to_string(tileNameMaxLength) +
                               " characters and no zero byte");
        } else {
            entries.push_back(NameEntry{le16At(file, 2 * i), names[i], name});
        }
    }
    if (!linesOk) {
        return false;
    }
    int failed = 0;
    std::string problem;
    if (!placeNames(file, entries, NameRules{false, tileNameOffsetLimit}, failed, problem)) {
        return fail(r, tileNamesPiece, failed + 1, problem + " in " + tileNameFileName);
    }
    for (int i = 0; i < tileNameCount; ++i) {
        if (entries[i].offset != le16At(file, 2 * i)) {
            setLe16(file, 2 * i, entries[i].offset);
        }
    }
    return true;
}

bool importPeople(Reader &r, int family, Bytes &file) {
    std::string piece = peoplePiece(family);
    std::vector<CsvRecord> records;
    if (!readTable(r, piece, {"record", "slot", "column", "row", "floor", "type", "extra"},
                   npcRecordsPerFile * npcPeoplePerRecord, records)) {
        return false;
    }
    bool ok = true;
    for (size_t i = 1; i < records.size(); ++i) {
        const CsvRecord &rec = records[i];
        int s = (int)(i - 1) / npcPeoplePerRecord, p = (int)(i - 1) % npcPeoplePerRecord;
        int record = 0, slot = 0, v[5] = {};
        bool rowOk = true;
        if (!parseNumber(rec.fields[0], 999, record) || !parseNumber(rec.fields[1], 999, slot) ||
            record != s || slot != p) {
            rowOk = fail(r, piece, rec.line,
                         "record and slot must be " + std::to_string(s) + "," + std::to_string(p));
        }
        // Every field is looked at, so that a row names all its mistakes at once.
        const char *names[5] = {"column", "row", "floor", "type", "extra"};
        for (int f = 0; f < 5; ++f) {
            rowOk = field(r, piece, rec, 2 + f, names[f], 255, v[f]) && rowOk;
        }
        if (!rowOk) {
            ok = false;
            continue;
        }
        size_t base = (size_t)s * npcRecordSize, entry = base + (size_t)p * npcEntrySize;
        const size_t at[5] = {entry + npcColumnOffset, entry + npcRowOffset, entry + npcFloorOffset,
                              base + npcTypeTable + p, base + npcExtraTable + p};
        for (int f = 0; f < 5; ++f) {
            uint8_t byte = (uint8_t)v[f];
            placeBytes(file, at[f], &byte, 1, 0);
        }
    }
    return ok;
}

bool readGrid(Reader &r, const std::string &piece, int side, std::vector<uint8_t> &cells) {
    std::string text;
    std::vector<std::string> found;
    if (!readPiece(r, piece, text)) {
        return false;
    }
    if (!parseGrid(text, side, side, cells, found)) {
        for (const std::string &problem : found) {
            r.problems.push_back(r.folder + "/" + piece + ":" + problem);
        }
        return false;
    }
    return true;
}

bool importWorldMaps(Reader &r, FileSet &files) {
    OverworldEdit edit;
    std::vector<uint8_t> under;
    bool layoutRead = readGrid(r, chunkLayoutPiece, blocksPerRow, edit.layout);
    bool overRead = readGrid(r, mapPiece(0, 0, ".txt"), worldSize, edit.cells);
    bool underRead = readGrid(r, mapPiece(1, 0, ".txt"), worldSize, under);
    if (!layoutRead || !overRead || !underRead) {
        return false;
    }
    int block = 0;
    std::string problem;
    if (!storeOverworld(edit, files[tableFileName], files[overworldFileName], block, problem)) {
        int line = block < 0 ? 0 : block / blocksPerRow * chunkSide + 1;
        return fail(r, mapPiece(0, 0, ".txt"), line, problem);
    }
    Bytes chunks(underworldFileSize);
    for (int k = 0; k < blocksPerRow * blocksPerRow; ++k) {
        std::vector<uint8_t> tiles = blockTiles(under, k);
        std::copy(tiles.begin(), tiles.end(), chunks.begin() + (size_t)k * chunkBytes);
    }
    placeBytes(files[underworldFileName], 0, chunks.data(), chunks.size(), missingMapTile);
    return true;
}

bool importSettlements(Reader &r, FileSet &files) {
    for (int f = 0; f < familyCount; ++f) {
        auto found = files.find(settlementMapFileName(2 + f));
        if (found == files.end()) {
            continue;
        }
        Bytes cells;
        bool levelsRead = true;
        for (int level = 0; level < settlementLevels; ++level) {
            std::vector<uint8_t> grid;
            if (!readGrid(r, mapPiece(2 + f, level, ".txt"), settlementSize, grid)) {
                levelsRead = false;
            }
            cells.insert(cells.end(), grid.begin(), grid.end());
        }
        if (levelsRead) {
            placeBytes(found->second, 0, cells.data(), cells.size(), missingMapTile);
        }
    }
    return true;
}

} // namespace

bool importTextPieces(const std::string &folder, FileSet &files, Problems &problems) {
    Reader r = {folder, problems};
    size_t before = problems.size();
    importWorldMaps(r, files);
    importSettlements(r, files);
    importLocations(r, files[tableFileName]);
    importTileNames(r, files[tileNameFileName]);
    for (int f = 0; f < familyCount; ++f) {
        importPeople(r, f, files[characterFileName(2 + f)]);
    }
    return problems.size() == before;
}
