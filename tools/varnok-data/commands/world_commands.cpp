#include "world_commands.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "4-data/file_formats.h"
#include "4-data/shown_text.h"
#include "modding/export_readme.h"
#include "modding/export_target.h"
#include "modding/graphics_pieces.h"
#include "modding/plain_text.h"
#include "modding/staged_folder.h"
#include "modding/text_pieces.h"
#include "modding/world_folder.h"

namespace {

typedef std::chrono::steady_clock Clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int refuse(const std::string &problem, const std::string &staging) {
    if (!staging.empty()) {
        discardStagingFolder(staging);
    }
    fprintf(stderr, "varnok-data: %s\n", shownText(problem).c_str());
    return 1;
}

// Problems shown at most; a count of them all follows.
const size_t shownProblems = 50;

// Every problem found (up to shownProblems lines), then, when there are several,
// how many and that nothing was written.
int refuseAll(const Problems &problems, const char *nothingDone) {
    for (size_t i = 0; i < problems.size() && i < shownProblems; ++i) {
        fprintf(stderr, "varnok-data: %s\n", shownText(problems[i]).c_str());
    }
    if (problems.size() > 1) {
        fprintf(stderr, "varnok-data: %zu problems%s; %s\n", problems.size(),
                problems.size() > shownProblems ? " (the first 50 shown)" : "", nothingDone);
    }
    return 1;
}

bool exists(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool isFolder(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string modesText(const std::vector<int> &modes) {
    return modes.size() == 2 ? "both colour modes" : std::to_string(modes[0]) + "-colour mode";
}

bool writeRawCopies(const FileSet &files, const std::string &folder, std::string &problem) {
    for (const auto &file : files) {
        if (!writeFileMakingFolders(folder + "/" + rawFolder + "/" + file.first, file.second,
                                    problem)) {
            return false;
        }
    }
    return true;
}

// Makes the folders the names go into (music/) that directory lacks, listing them
// in `made`, deepest last.
bool makeFoldersFor(const std::vector<std::string> &names, const std::string &directory,
                    std::vector<std::string> &made, std::string &problem) {
    for (const std::string &name : names) {
        for (size_t slash = name.find('/'); slash != std::string::npos;
             slash = name.find('/', slash + 1)) {
            std::string folder = directory + "/" + name.substr(0, slash);
            if (exists(folder)) {
                continue;
            }
            if (mkdir(folder.c_str(), 0777) != 0) {
                problem = folder + ": cannot be made (" + strerror(errno) + "); nothing imported";
                return false;
            }
            made.push_back(folder);
        }
    }
    return true;
}

// Writes the files into `directory`, all or nothing, each under the spelling it
// has there; a folder made for them is removed again when they cannot all be
// placed.
bool placeWorldFiles(const FileSet &files, const std::string &directory, std::string &problem) {
    bool made = !exists(directory);
    if (made && mkdir(directory.c_str(), 0777) != 0) {
        problem = directory + ": cannot be made (" + strerror(errno) + ")";
        return false;
    }
    if (!isFolder(directory)) {
        problem = directory + ": is not a folder";
        return false;
    }
    std::string staging;
    std::vector<std::string> names, folders;
    bool ok = makeStagingFolder(directory + "/import", staging, problem);
    for (auto file = files.begin(); ok && file != files.end(); ++file) {
        std::string name = spelledAsIn(directory, file->first);
        ok = makeParentFolders(staging + "/" + name) &&
             writeBytes(staging + "/" + name, file->second);
        if (!ok) {
            problem = directory + "/" + name + ": cannot be written (" + strerror(errno) +
                      "); nothing imported";
        }
        names.push_back(name);
    }
    if (ok && makeFoldersFor(names, directory, folders, problem)) {
        ok = moveFilesInto(staging, names, directory, problem);
    } else if (!staging.empty()) {
        ok = false;
        discardStagingFolder(staging);
    }
    for (auto folder = folders.rbegin(); !ok && folder != folders.rend(); ++folder) {
        rmdir(folder->c_str()); // only when empty
    }
    if (!ok && made) {
        rmdir(directory.c_str()); // only when empty: a file that could not be put back stays
    }
    return ok;
}

} // namespace

int exportWorld(const std::string &directory, const std::string &out, int mode, bool replace) {
    Clock::time_point start = Clock::now();
    if (!isFolder(directory)) {
        return refuse(directory + ": no such folder", "");
    }
    std::vector<int> modes;
    for (int m : {4, 16}) {
        if (mode == m || (mode == 0 && holdsDataFile(directory, tileFileName(m == 4)))) {
            modes.push_back(m);
        }
    }
    if (modes.empty()) {
        return refuse(directory + ": holds neither tiles.4 nor tiles.16", "");
    }
    FileSet files;
    Problems problems;
    std::string problem, staging;
    if (!exportTargetAllowed(directory, out, replace, problem)) {
        return refuse(problem, "");
    }
    if (!readWorldFiles(WorldPlace{directory, "", followLinks}, modes, files, problems)) {
        return refuseAll(problems, "nothing exported");
    }
    printf("read %zu files of '%s' (%s)\n", files.size(), shownText(directory).c_str(),
           modesText(modes).c_str());
    if (!makeStagingFolder(out, staging, problem)) {
        return refuse(problem, "");
    }
    TextSummary text = {};
    GraphicsSummary graphics = {};
    if (!exportTextPieces(files, staging, text, problem)) {
        return refuse(problem, staging);
    }
    printf("text: %s, %s, %s, %d people tables, %d map grids\n", locationsPiece, tileNamesPiece,
           chunkLayoutPiece, familyCount, text.maps);
    if (!exportGraphicsPieces(files, modes, staging, graphics, problem)) {
        return refuse(problem, staging);
    }
    printf("pictures: %d sheets, %d pictures\n", graphics.sheets, graphics.pictures);
    if (!exportMapPictures(files, modes.back(), staging, graphics, problem)) {
        return refuse(problem, staging);
    }
    printf("maps: %d pictures drawn with the %d-colour tiles\n", graphics.maps, modes.back());
    if (!writeRawCopies(files, staging, problem)) {
        return refuse(problem, staging);
    }
    printf("raw: %zu files\n", files.size());
    if (!writeFileMakingFolders(staging + "/" + readmePiece, textBytes(readmeText(files, modes)),
                                problem)) {
        return refuse(problem, staging);
    }
    if (!writeManifest(staging, problem) ||
        !replaceFolder(staging, out, replace ? unchangedExport : nullptr, problem)) {
        return refuse(problem, staging);
    }
    long long bytes = 0;
    int count = 0;
    folderSize(out, bytes, count);
    printf("exported '%s' to '%s': %d files, %.1f MB in %.2f s\n", shownText(directory).c_str(),
           shownText(out).c_str(), count, bytes / 1e6, secondsSince(start));
    return 0;
}

int importWorld(const std::string &in, const std::string &directory) {
    Clock::time_point start = Clock::now();
    std::string raw = in + "/" + rawFolder, problem;
    if (!isFolder(in)) {
        return refuse(in + ": no such folder", "");
    }
    std::vector<int> modes;
    for (int m : {4, 16}) {
        if (holdsDataFile(raw, tileFileName(m == 4))) {
            modes.push_back(m);
        }
    }
    if (modes.empty()) {
        return refuse(raw + ": holds neither tiles.4 nor tiles.16; is '" + in +
                          "' a folder made by export?",
                      "");
    }
    FileSet before;
    Problems problems;
    if (!readWorldFiles(WorldPlace{in, std::string(rawFolder) + "/", followNoLinks}, modes, before,
                        problems)) {
        return refuseAll(problems, "nothing imported");
    }
    printf("read %zu raw files of '%s' (%s)\n", before.size(), shownText(in).c_str(),
           modesText(modes).c_str());
    // Every piece is read even after a problem, so that one run names them all.
    FileSet files = before;
    bool textRead = importTextPieces(in, files, problems);
    bool picturesRead = importGraphicsPieces(in, files, problems);
    if (!textRead || !picturesRead) {
        return refuseAll(problems, "nothing imported");
    }
    printf("text: maps, chunk layout, locations, tile names, people\n");
    printf("pictures: tile sheets, font sheets, pictures\n");
    int changed = 0;
    for (const auto &file : files) {
        changed += file.second != before[file.first];
    }
    if (!placeWorldFiles(files, directory, problem)) {
        return refuse(problem, "");
    }
    printf("imported '%s' into '%s': %zu files, %d changed, in %.2f s\n", shownText(in).c_str(),
           shownText(directory).c_str(), files.size(), changed, secondsSince(start));
    return 0;
}
