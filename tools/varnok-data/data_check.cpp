#include "data_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "3-gfx/picture_budget.h"
#include "4-data/file_formats.h"
#include "4-data/file_names.h"
#include "4-data/lzw.h"
#include "4-data/regular_file.h"
#include "formats/formats.h"

namespace {

struct Checker {
    std::string directory;
    CheckReport report;
    int64_t picturePixels = 0; // counted by the engine's picture budget, per colour mode
};

// The path of file in the directory as the engine finds it, in any case.
std::string foundPath(const Checker &checker, const std::string &file) {
    char *found = findDataFile(checker.directory.c_str(), file.c_str());
    std::string path = found != nullptr ? found : checker.directory + "/" + file;
    free(found);
    return path;
}

// The name of file as it stands in the directory (DATA.OVL for data.ovl).
std::string shownName(const Checker &checker, const std::string &file) {
    std::string path = foundPath(checker, file);
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void problem(Checker &checker, const std::string &file, const std::string &what) {
    checker.report.problems.push_back(shownName(checker, file) + ": " + what);
}

uint32_t le16(const Bytes &b, size_t at) {
    return at + 2 <= b.size() ? (uint32_t)(b[at] | b[at + 1] << 8) : 0;
}

uint32_t le32(const Bytes &b, size_t at) {
    return at + 4 <= b.size() ? le16(b, at) | le16(b, at + 2) << 16 : 0;
}

// Reads a file whole, opened as the engine opens it: only a regular file, so that
// a FIFO cannot block the check.
FileRefusal readDataFile(const Checker &checker, const std::string &file, Bytes &bytes) {
    bytes.clear();
    std::string path = foundPath(checker, file);
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *opened = openRegularFile(path.c_str(), &size, &why);
    if (opened == nullptr) {
        return why;
    }
    bytes.resize((size_t)size);
    bool whole = size == 0 || fread(bytes.data(), 1, bytes.size(), opened) == bytes.size();
    fclose(opened);
    return whole ? fileAccepted : fileMissing;
}

const char *refusalText(FileRefusal why) {
    return why == fileNotRegular ? "not a regular file" : "missing or unreadable";
}

// Reads a file whole; reports why and returns false if it cannot be read.
bool load(Checker &checker, const std::string &file, Bytes &bytes) {
    FileRefusal why = readDataFile(checker, file, bytes);
    if (why != fileAccepted) {
        problem(checker, file, refusalText(why));
        return false;
    }
    return true;
}

bool atLeast(Checker &checker, const std::string &file, const Bytes &bytes, size_t size) {
    if (bytes.size() < size) {
        problem(checker, file,
                "too short: " + std::to_string(bytes.size()) + " bytes, needs " +
                    std::to_string(size));
        return false;
    }
    return true;
}

// Decodes an LZW container as the engine does; reports a bad header or stream.
bool unpack(Checker &checker, const std::string &file, Bytes &raw) {
    Bytes packed;
    if (!load(checker, file, packed)) {
        return false;
    }
    if (!isLzwHeader(packed.data(), (int64_t)packed.size())) {
        problem(checker, file, "not a valid LZW container (bad header)");
        return false;
    }
    raw.assign(le32(packed, 0), 0);
    LzwStream stream = {packed.data() + lzwSizeBytes, (int32_t)(packed.size() - lzwSizeBytes), 0};
    int32_t written = 0;
    int result = lzwDecode(stream, raw.data(), (int32_t)raw.size(), &written);
    if (result != lzwReachedEnd) {
        const char *why = result == lzwBadCodeword    ? "a bad codeword"
                          : result == lzwStreamRanOut ? "a stream without its end code"
                                                      : "more bytes than its declared size";
        problem(checker, file, std::string("LZW stream does not decode: ") + why);
        return false;
    }
    if (written < (int32_t)raw.size()) {
        // The engine reads the rest as zeros.
        checker.report.warnings.push_back(
            file + ": the stream ends after " + std::to_string(written) + " of its " +
            std::to_string(raw.size()) + " bytes; the rest reads as zeros");
    }
    return true;
}

void checkPictureFile(Checker &checker, int mode, int number) {
    std::string file = pictureFileName(number, mode == 4);
    PictureRowFormat rows = mode == 4 ? pictureRows4 : pictureRows16;
    Bytes raw;
    if (!unpack(checker, file, raw) || !atLeast(checker, file, raw, pictureOffsetTable)) {
        return;
    }
    bool masked = number >= firstMaskedSet;
    // The engine's budget, counted as the engine counts it before making surfaces.
    char refusal[160];
    ByteView view = makeByteView(raw.data(), (int64_t)raw.size());
    if (!countPictureFile(view, masked, rows, &checker.picturePixels, refusal, sizeof refusal)) {
        problem(checker, file, refusal);
        return;
    }
    uint32_t count = le16(raw, 0);
    if (pictureOffsetTable + pictureOffsetEntry * (size_t)count > raw.size()) {
        problem(checker, file, std::to_string(count) + " pictures do not fit their offset table");
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        std::string which = "picture " + std::to_string(i) + ": ";
        size_t entry = pictureOffsetTable + pictureOffsetEntry * i;
        size_t at = masked ? le16(raw, entry) : le32(raw, entry);
        if (at + 4 > raw.size()) {
            problem(checker, file, which + "offset " + std::to_string(at) + " outside the data");
            continue;
        }
        uint32_t width = le16(raw, at), height = le16(raw, at + 2);
        size_t end = at + 4 + pictureRowBytes(width, rows) * height;
        if (end > raw.size()) {
            problem(checker, file, which + "rows run past the end of the data");
            continue;
        }
        if (!masked) {
            continue;
        }
        uint32_t maskWidth = le16(raw, end), maskHeight = le16(raw, end + 2);
        if (end + 4 > raw.size() ||
            end + 4 + pictureRowBytes(maskWidth, maskRows) * maskHeight > raw.size()) {
            problem(checker, file, which + "mask outside the data");
        } else if (maskWidth != width || maskHeight != height) {
            problem(checker, file, which + "mask size differs from the picture's");
        }
    }
}

void checkMode(Checker &checker, int mode) {
    checker.picturePixels = 0;
    std::string tiles = tileFileName(mode == 4);
    Bytes raw;
    if (unpack(checker, tiles, raw)) {
        atLeast(checker, tiles, raw, tilesPerFile * (mode == 4 ? tileBytes4 : tileBytes16));
    }
    for (int number = 0; number < pictureSetCount; ++number) {
        checkPictureFile(checker, mode, number);
    }
}

void checkFonts(Checker &checker) {
    for (const char *font : {textFontFileName, runeFontFileName}) {
        Bytes bytes;
        if (load(checker, font, bytes)) {
            atLeast(checker, font, bytes, fontFileSize);
        }
    }
}

// The table file; returns the chunk layout when it could be read.
bool checkTableFile(Checker &checker, Bytes &layout) {
    Bytes table;
    if (!load(checker, tableFileName, table) ||
        !atLeast(checker, tableFileName, table, tableFileMinimumSize)) {
        return false;
    }
    for (int i = 0; i < locationCount; ++i) {
        uint32_t start = le16(table, namePositionsOffset + 2 * i) + namePositionBias;
        if (start >= table.size()) {
            problem(checker, tableFileName,
                    "name of location " + std::to_string(i) + " starts outside the file");
        }
    }
    layout.assign(table.begin() + chunkLayoutOffset, table.begin() + tableFileMinimumSize);
    return true;
}

void checkMaps(Checker &checker, const Bytes *layout) {
    Bytes world;
    if (load(checker, overworldFileName, world) && layout != nullptr) {
        for (int block = 0; block < chunkLayoutSize; ++block) {
            uint8_t chunk = (*layout)[block];
            if (chunk != plainBlockChunk && (chunk + 1) * (size_t)chunkBytes > world.size()) {
                problem(checker, overworldFileName,
                        "chunk " + std::to_string(chunk) + " named by the layout for block " +
                            std::to_string(block) + " lies outside the file");
            }
        }
    }
    Bytes under;
    if (load(checker, underworldFileName, under)) {
        atLeast(checker, underworldFileName, under, underworldFileSize);
    }
    for (uint8_t kind : {towne, castle, keep, dwelling}) {
        const char *file = settlementMapFileName(kind);
        Bytes levels;
        FileRefusal why = readDataFile(checker, file, levels);
        if (why != fileAccepted) {
            checker.report.warnings.push_back(
                shownName(checker, file) + ": " +
                (why == fileNotRegular ? "not a regular file" : "missing") +
                "; its settlements will show tile 0");
            continue;
        }
        atLeast(checker, file, levels, settlementFileSize);
    }
}

void checkTables(Checker &checker) {
    for (uint8_t kind : {towne, dwelling, castle, keep}) {
        const char *file = characterFileName(kind);
        Bytes people;
        if (load(checker, file, people)) {
            atLeast(checker, file, people, npcFileSize);
        }
    }
    Bytes names;
    if (load(checker, tileNameFileName, names) &&
        atLeast(checker, tileNameFileName, names, 2 * tileNameCount)) {
        for (int i = 0; i < tileNameCount; ++i) {
            if (le16(names, 2 * i) >= names.size()) {
                problem(checker, tileNameFileName,
                        "name of tile " + std::to_string(i) + " lies outside the file");
            }
        }
    }
}

} // namespace

CheckReport checkDataDirectory(const std::string &directory, int mode) {
    Checker checker;
    checker.directory = directory;
    Bytes layout;
    bool haveLayout = checkTableFile(checker, layout);
    checkMaps(checker, haveLayout ? &layout : nullptr);
    checkTables(checker);
    checkFonts(checker);
    for (int m : {4, 16}) {
        if (mode == 0 || mode == m) {
            checkMode(checker, m);
        }
    }
    return checker.report;
}
