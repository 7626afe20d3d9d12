#include "world_folder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "4-data/data_file.h"
#include "4-data/file_formats.h"
#include "4-data/file_names.h"
#include "4-data/lzw.h"
#include "4-data/shown_text.h"

namespace fs = std::filesystem;

namespace {

const char musicFolderName[] = "music";
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

namespace {

// Far more than any piece of music a world needs; a larger file stays out.
const int64_t largestMusicFile = 256 << 20;

// The folder the data files of place are in, without a closing slash.
std::string dataFolderOf(const WorldPlace &place) {
    std::string inside = place.inside;
    if (!inside.empty() && inside.back() == '/') {
        inside.pop_back();
    }
    return inside.empty() ? place.folder : place.folder + "/" + inside;
}

// One music file (music.ini or a file of the music folder) into files under name,
// read as the data files are: a regular file, links as the place allows, bounded.
void readMusicFile(const WorldPlace &place, const std::string &spelled, const std::string &name,
                   FileSet &files) {
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = openInsideFolder(place.folder, place.inside + spelled, place.links, &size, &why);
    if (file == nullptr) {
        return;
    }
    Bytes bytes;
    if (size > largestMusicFile) {
        fprintf(stderr, "varnok-data: warning: %s: larger than %lld bytes; left out\n",
                shownText(place.folder + "/" + place.inside + spelled).c_str(),
                (long long)largestMusicFile);
    } else if (readMoreOf(file, size, bytes) == fileAccepted) {
        files[name] = bytes;
    }
    fclose(file);
}

// The music folder's regular files and music.ini, when they are there.
void readMusicFiles(const WorldPlace &place, FileSet &files) {
    std::string directory = dataFolderOf(place);
    readMusicFile(place, spelledAsIn(directory, musicTableFileName), musicTableFileName, files);
    std::string folder = spelledAsIn(directory, musicFolderName);
    std::error_code error;
    for (fs::directory_iterator it(directory + "/" + folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string leaf = it->path().filename().string();
        readMusicFile(place, folder + "/" + leaf, std::string(musicFolderName) + "/" + leaf, files);
    }
}

} // namespace

bool readWorldFiles(const WorldPlace &place, const std::vector<int> &modes, FileSet &files,
                    Problems &problems) {
    std::vector<std::string> needed = {tableFileName,      tileNameFileName, overworldFileName,
                                       underworldFileName, textFontFileName, runeFontFileName};
    for (int family = 0; family < familyCount; ++family) {
        needed.push_back(characterFileName(2 + family));
    }
    for (int mode : modes) {
        std::vector<std::string> names = modeFileNames(mode);
        needed.insert(needed.end(), names.begin(), names.end());
    }
    size_t before = problems.size();
    for (const std::string &name : needed) {
        std::string problem;
        if (readDataFileOf(place, name, files[name], problem) != fileAccepted) {
            problems.push_back(problem);
        }
    }
    // A settlement map that is missing stays out, as in the engine; one that is
    // there but cannot be read stays out with a warning.
    for (int family = 0; family < familyCount; ++family) {
        std::string name = settlementMapFileName(2 + family);
        Bytes bytes;
        std::string problem;
        FileRefusal why = readDataFileOf(place, name, bytes, problem);
        if (why == fileAccepted) {
            files[name] = bytes;
        } else if (why != fileMissing) {
            fprintf(stderr, "varnok-data: warning: %s; left out\n", shownText(problem).c_str());
        }
    }
    readMusicFiles(place, files);
    return problems.size() == before;
}

bool holdsDataFile(const std::string &directory, const std::string &name) {
    struct stat info;
    std::string path = directory + "/" + spelledAsIn(directory, name);
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string spelledAsIn(const std::string &directory, const std::string &name) {
    std::string spelled, folder = directory;
    for (size_t start = 0; start <= name.size();) {
        size_t slash = name.find('/', start);
        std::string part =
            name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        char *found = findDataFile(folder.c_str(), part.c_str());
        struct stat info;
        if (found != nullptr && lstat(found, &info) == 0) {
            const char *leaf = strrchr(found, '/');
            part = leaf != nullptr ? leaf + 1 : found;
        }
        free(found);
        spelled += (spelled.empty() ? "" : "/") + part;
        folder += "/" + part;
        if (slash == std::string::npos) {
            break;
        }
        start = slash + 1;
    }
    return spelled;
}

FileRefusal readDataFileOf(const WorldPlace &place, const std::string &name, Bytes &bytes,
                           std::string &problem) {
    // Found in any case of its name, as the game finds it; read as the name says.
    std::string spelled = spelledAsIn(dataFolderOf(place), name);
    std::string path = place.folder + "/" + place.inside + spelled;
    int64_t size = 0, limit = dataFileReadLimit(name);
    FileRefusal why = fileMissing;
    FILE *file = openInsideFolder(place.folder, place.inside + spelled, place.links, &size, &why);
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
