#include "world_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

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

// A music file (music.ini or a file of the music folder) opened as the data files
// are: a regular file, links as the place allows; nullptr, with a warning when it
// is larger than any piece of music needs.
FILE *openMusicFile(const WorldPlace &place, const std::string &spelled, int64_t &size) {
    FileRefusal why = fileMissing;
    FILE *file = openInsideFolder(place.folder, place.inside + spelled, place.links, &size, &why);
    if (file != nullptr && size > largestMusicFile) {
        fprintf(stderr, "varnok-data: warning: %s: larger than %lld bytes; left out\n",
                shownText(place.folder + "/" + place.inside + spelled).c_str(),
                (long long)largestMusicFile);
        fclose(file);
        return nullptr;
    }
    return file;
}

// music.ini into files, and the music folder's regular files into `music`, when
// they are there.
void readMusicFiles(const WorldPlace &place, FileSet &files, StreamedFiles &music) {
    std::string directory = dataFolderOf(place);
    std::string table = spelledAsIn(directory, musicTableFileName);
    int64_t size = 0;
    FILE *file = openMusicFile(place, table, size);
    Bytes bytes;
    if (file != nullptr && readMoreOf(file, size, bytes) == fileAccepted) {
        files[musicTableFileName] = bytes;
    }
    if (file != nullptr) {
        fclose(file);
    }
    std::string folder = spelledAsIn(directory, musicFolderName);
    std::error_code error;
    for (fs::directory_iterator it(directory + "/" + folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string leaf = it->path().filename().string();
        file = openMusicFile(place, folder + "/" + leaf, size);
        if (file != nullptr) {
            fclose(file);
            music.push_back({std::string(musicFolderName) + "/" + leaf, folder + "/" + leaf});
        }
    }
}

// Writes a block of a copy, or skips over it when it is all zero bytes.
bool writeBlock(int fd, const char *block, size_t size) {
    size_t zeros = 0;
    while (zeros < size && block[zeros] == 0) {
        ++zeros;
    }
    if (zeros == size) {
        return lseek(fd, (off_t)size, SEEK_CUR) >= 0;
    }
    for (size_t done = 0; done < size;) {
        ssize_t wrote = write(fd, block + done, size - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            errno = wrote < 0 ? errno : ENOSPC;
            return false;
        }
        done += (size_t)wrote;
    }
    return true;
}

} // namespace

bool copyStreamedFile(const WorldPlace &place, const StreamedFile &file, const std::string &path,
                      const std::string &shownAs, std::string &problem) {
    std::string read = place.folder + "/" + place.inside + file.relative;
    int64_t size = 0;
    FILE *in = openMusicFile(place, file.relative, size);
    if (in == nullptr) {
        problem = read + ": cannot be read";
        return false;
    }
    int out = makeParentFolders(path)
                  ? open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)
                  : -1;
    static_assert(largestMusicFile % 65536 == 0, "a whole number of blocks");
    std::vector<char> block(65536);
    int64_t copied = 0;
    bool written = out >= 0;
    for (size_t got; written && copied <= largestMusicFile &&
                     (got = fread(block.data(), 1, block.size(), in)) > 0;) {
        written = writeBlock(out, block.data(), got);
        copied += (int64_t)got;
    }
    // The size is set last, for a copy that ends in skipped zero bytes.
    written = written && ftruncate(out, (off_t)copied) == 0;
    int error = errno;
    bool readAll = !ferror(in) && copied <= largestMusicFile;
    fclose(in);
    if (out >= 0 && close(out) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!readAll) {
        problem = read + (copied > largestMusicFile ? ": grew larger than any piece of music"
                                                    : ": cannot be read");
    } else if (!written) {
        problem = shownAs + ": cannot be written (" + strerror(error) + ")";
    }
    return readAll && written;
}

bool readWorldFiles(const WorldPlace &place, const std::vector<int> &modes, FileSet &files,
                    StreamedFiles &music, Problems &problems) {
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
    readMusicFiles(place, files, music);
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
