#include "data_check.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "3-audio/music_header.h"
#include "3-gfx/picture_budget.h"
#include "4-data/data_file.h"
#include "4-data/file_formats.h"
#include "4-data/file_names.h"
#include "4-data/ini_text.h"
#include "4-data/lzw.h"
#include "4-data/picture_records.h"
#include "4-data/regular_file.h"
#include "4-data/table_file.h"
#include "formats/formats.h"

namespace {

struct Checker {
    std::string directory;
    CheckReport report;
    int64_t picturePixels = 0;      // counted by the engine's picture budget, per colour mode
    std::set<std::string> troubled; // the files with a problem, by their own names
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
    checker.troubled.insert(file);
}

void warning(Checker &checker, const std::string &file, const std::string &what) {
    checker.report.warnings.push_back(shownName(checker, file) + ": " + what);
}

// What the engine leaves of a file longer than its format can use.
void warnIfLong(Checker &checker, const std::string &file, int64_t size, int64_t used) {
    if (size > used) {
        warning(checker, file,
                "longer than its layout; only its first " + std::to_string(used) +
                    " bytes are read");
    }
}

// Reads a plain file as the engine reads it: only a regular file, so that a FIFO
// cannot block the check, and only what its format can use.
FileRefusal readDataFile(Checker &checker, const std::string &file, Bytes &bytes) {
    int64_t size = 0, limit = dataFileReadLimit(file);
    FileRefusal why = readRegularFile(foundPath(checker, file).c_str(), limit, bytes, &size);
    if (why == fileAccepted) {
        warnIfLong(checker, file, size, limit);
    }
    return why == fileUnreadable ? fileMissing : why;
}

const char *refusalText(FileRefusal why) {
    return why == fileNotRegular ? "not a regular file" : "missing or unreadable";
}

// Reads a plain file; reports why and returns false if it cannot be read.
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

// Reads and decodes an LZW container as the engine does; reports a bad header or
// stream. A stream that ends short is a warning, as in the engine, which reads
// the rest as zeros.
bool unpack(Checker &checker, const std::string &file, Bytes &raw) {
    Bytes packed;
    int64_t size = 0;
    FileRefusal why = readLzwFile(foundPath(checker, file).c_str(), packed, &size);
    if (why != fileAccepted) {
        problem(checker, file, refusalText(why == fileUnreadable ? fileMissing : why));
        return false;
    }
    LzwDecoding decoding;
    if (unpackLzw(viewOf(packed), raw, &decoding) != lzwLoaded) {
        problem(checker, file, "not a valid LZW container (bad header)");
        return false;
    }
    warnIfLong(checker, file, size, (int64_t)packed.size());
    std::string shortfall = lzwShortStreamText(decoding, raw.size());
    if (!shortfall.empty()) {
        warning(checker, file, shortfall);
    } else if (decoding.result != lzwReachedEnd) {
        const char *what = decoding.result == lzwBadCodeword ? "a bad codeword"
                                                             : "more bytes than its declared size";
        problem(checker, file, std::string("LZW stream does not decode: ") + what);
        return false;
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
    int count = pictureCountOf(view);
    if (pictureOffsetTable + pictureOffsetEntry * (int64_t)count > view.size) {
        problem(checker, file, std::to_string(count) + " pictures do not fit their offset table");
        return;
    }
    for (int i = 0; i < count; ++i) {
        std::string which = "picture " + std::to_string(i) + ": ";
        PictureRecord r = pictureRecordOf(view, i, rows, masked);
        if (r.pixels > view.size) {
            problem(checker, file,
                    which + "offset " + std::to_string(r.pixels - 4) + " outside the data");
            continue;
        }
        int64_t rowsEnd = r.pixels + r.rowBytes * r.height;
        if (rowsEnd > view.size) {
            problem(checker, file, which + "rows run past the end of the data");
            continue;
        }
        if (!masked) {
            continue;
        }
        if (r.end > view.size) {
            problem(checker, file, which + "mask outside the data");
        } else if (r.maskWidth != r.width || r.maskHeight != r.height) {
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
    ByteView view = viewOf(table);
    for (int i = 0; i < locationCount; ++i) {
        uint32_t start = viewLe16(view, namePositionsOffset + 2 * i) + namePositionBias;
        if (start >= table.size()) {
            problem(checker, tableFileName,
                    "name of location " + std::to_string(i) + " starts outside the file");
        }
    }
    layout.resize(chunkLayoutSize);
    chunkLayoutOf(view, layout.data());
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
            warning(checker, file,
                    std::string(why == fileNotRegular ? "not a regular file" : "missing") +
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
        ByteView view = viewOf(names);
        for (int i = 0; i < tileNameCount; ++i) {
            if (viewLe16(view, 2 * i) >= names.size()) {
                problem(checker, tileNameFileName,
                        "name of tile " + std::to_string(i) + " lies outside the file");
            }
        }
    }
}

// The music files music.ini names, as the engine finds them under music/.
std::vector<std::string> namedMusic;

void noteMusicFile(const char *, const char *value) {
    if (value != nullptr && value[0] != '\0') {
        namedMusic.push_back(std::string(musicFolderName) + value);
    }
}

// Each music file the world's music.ini names whose header the mixer could not
// take safely: the game plays on in silence there.
void checkMusic(Checker &checker) {
    FileRefusal why = fileMissing;
    char *text = readIniFile(foundPath(checker, musicTableFileName).c_str(), &why);
    if (text == nullptr) {
        return;
    }
    namedMusic.clear();
    parseIniText(text, noteMusicFile);
    free(text);
    std::set<std::string> seen;
    int64_t size = 0;
    for (const std::string &file : namedMusic) {
        Bytes head;
        std::string path = foundPath(checker, file);
        if (!seen.insert(path).second ||
            readRegularFile(path.c_str(), musicHeadLimit, head, &size) != fileAccepted) {
            continue;
        }
        std::string impossible = impossibleMusicHeader(head.data(), (int64_t)head.size(), size);
        if (!impossible.empty()) {
            // Named with its folder: music/ is no data file of the engine's own.
            checker.report.warnings.push_back(file + ": impossible " + impossible +
                                              "; the game plays it as silence");
        }
    }
}

// The files only the colour mode uses: its tile file and its 25 picture files.
std::vector<std::string> ownFiles(int mode) {
    std::vector<std::string> files = {tileFileName(mode == 4)};
    for (int number = 0; number < pictureSetCount; ++number) {
        files.push_back(pictureFileName(number, mode == 4));
    }
    return files;
}

// The closing line of a checked mode: complete, or what keeps it from playing.
std::string modeVerdict(const Checker &checker, int mode, bool &complete) {
    std::vector<std::string> own = ownFiles(mode);
    int bad = 0;
    for (const std::string &file : own) {
        bad += (int)checker.troubled.count(file);
    }
    size_t shared = checker.troubled.size();
    for (int m : {4, 16}) {
        for (const std::string &file : ownFiles(m)) {
            shared -= checker.troubled.count(file);
        }
    }
    complete = bad == 0 && shared == 0;
    std::string line = std::to_string(mode) + " colours: ";
    if (bad > 0) {
        return line + "incomplete, " + std::to_string(bad) + " of its " +
               std::to_string(own.size()) + " files missing or damaged";
    }
    return line + (shared > 0 ? "incomplete, the files both modes use have problems" : "complete");
}

void judgeModes(Checker &checker, int mode) {
    bool complete[2] = {false, false};
    for (int m : {4, 16}) {
        if (mode == 0 || mode == m) {
            checker.report.modes.push_back(modeVerdict(checker, m, complete[m == 16]));
        }
    }
    if (mode == 0 && complete[1] && !complete[0]) {
        checker.report.modes.push_back("Only the 16-colour files are complete: play them with "
                                       "'varnok --colours 16' (or video=0 in settings.ini).");
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
    checkMusic(checker);
    for (int m : {4, 16}) {
        if (mode == 0 || mode == m) {
            checkMode(checker, m);
        }
    }
    judgeModes(checker, mode);
    return checker.report;
}
