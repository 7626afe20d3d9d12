#include "world_folder.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#include "4-data/data_file.h"
#include "4-data/file_formats.h"
#include "4-data/lzw.h"
#include "4-data/shown_text.h"

namespace {

const char *const fontSheetNames[] = {"fonts/text.png", "fonts/runes.png"};
const char *const worldMapNames[] = {"maps/overworld", "maps/underworld"};

bool makeFoldersOf(const std::string &path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        mkdir(path.substr(0, slash).c_str(), 0777);
    }
    struct stat info;
    size_t last = path.rfind('/');
    return last == std::string::npos ||
           (stat(path.substr(0, last).c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

} // namespace

std::string familyName(int family) {
    std::string name = settlementMapFileName(2 + family);
    return name.substr(0, name.find('.'));
}

std::vector<std::string> modeFileNames(int mode) {
    std::vector<std::string> names = {tileFileName(mode == 4)};
    for (int k = 0; k < pictureSetCount; ++k) {
        names.push_back(pictureFileName(k, mode == 4));
    }
    return names;
}

std::string peoplePiece(int family) {
    return "people/" + familyName(family) + ".csv";
}

std::string tileSheetPiece(int mode) {
    return "tiles-" + std::to_string(mode) + ".png";
}

std::string fontSheetPiece(int font) {
    return fontSheetNames[font];
}

std::string picturePiece(int mode, int file, int index) {
    std::string name = pictureFileName(file, mode == 4);
    std::string stem = name.substr(0, name.find('.'));
    char number[16];
    snprintf(number, sizeof number, "%02d.png", index);
    return "pictures-" + std::to_string(mode) + "/" + stem + "/" + number;
}

std::string mapPiece(int kind, int level, const char *extension) {
    if (kind < 2) {
        return std::string(worldMapNames[kind]) + extension;
    }
    char number[8];
    snprintf(number, sizeof number, "-%02d", level);
    return "maps/" + familyName(kind - 2) + number + extension;
}

bool readWorldFiles(const WorldPlace &place, const std::vector<int> &modes, FileSet &files,
                    std::string &problem) {
    std::vector<std::string> needed = {tableFileName,      tileNameFileName, overworldFileName,
                                       underworldFileName, textFontFileName, runeFontFileName};
    for (int family = 0; family < familyCount; ++family) {
        needed.push_back(characterFileName(2 + family));
    }
    for (int mode : modes) {
        std::vector<std::string> names = modeFileNames(mode);
        needed.insert(needed.end(), names.begin(), names.end());
    }
    for (const std::string &name : needed) {
        if (readDataFileOf(place, name, files[name], problem) != fileAccepted) {
            return false;
        }
    }
    // A settlement map that is missing stays out, as in the engine; one that is
    // there but cannot be read stays out with a warning.
    for (int family = 0; family < familyCount; ++family) {
        std::string name = settlementMapFileName(2 + family);
        Bytes bytes;
        FileRefusal why = readDataFileOf(place, name, bytes, problem);
        if (why == fileAccepted) {
            files[name] = bytes;
        } else if (why != fileMissing) {
            fprintf(stderr, "varnok-data: warning: %s; left out\n", shownText(problem).c_str());
        }
    }
    problem.clear();
    return true;
}

FileRefusal readDataFileOf(const WorldPlace &place, const std::string &name, Bytes &bytes,
                           std::string &problem) {
    std::string path = place.folder + "/" + place.inside + name;
    int64_t size = 0, limit = dataFileReadLimit(name);
    FileRefusal why = fileMissing;
    FILE *file = openInsideFolder(place.folder, place.inside + name, place.links, &size, &why);
    bytes.clear();
    if (file != nullptr) {
        why = limit > 0 ? readMoreOf(file, size < limit ? size : limit, bytes)
                        : readLzwFrom(file, size, bytes);
        fclose(file);
    }
    if (why != fileAccepted) {
        problem = path + (why != fileNotRegular ? ": cannot be read"
                          : place.links == followNoLinks
                              ? ": is not a regular file (links are not followed here)"
                              : ": is not a regular file");
        return why;
    }
    if (size > (int64_t)bytes.size()) {
        fprintf(stderr,
                "varnok-data: warning: %s: longer than its layout; only its first %zu bytes are "
                "read\n",
                shownText(path).c_str(), bytes.size());
    }
    return fileAccepted;
}

bool unpackContainer(const Bytes &packed, Bytes &raw, std::string &problem) {
    // The engine's own test and decoder: a stream that ends early or holds a bad
    // codeword decodes as far as the engine takes it.
    if (unpackLzw(viewOf(packed), raw) != lzwLoaded) {
        problem = "not an LZW container";
        return false;
    }
    return true;
}

void placeBytes(Bytes &file, size_t offset, const uint8_t *piece, size_t size, uint8_t fill) {
    size_t end = offset + size;
    while (end > offset && end > file.size() && piece[end - offset - 1] == fill) {
        --end;
    }
    if (end > file.size()) {
        file.resize(end, fill);
    }
    for (size_t i = offset; i < end; ++i) {
        file[i] = piece[i - offset];
    }
}

bool makeParentFolders(const std::string &path) {
    return makeFoldersOf(path);
}

bool writeFileMakingFolders(const std::string &path, const Bytes &bytes, std::string &problem) {
    if (!makeParentFolders(path) || !writeBytes(path, bytes)) {
        problem = path + ": cannot be written";
        return false;
    }
    return true;
}
