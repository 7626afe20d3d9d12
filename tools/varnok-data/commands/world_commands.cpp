#include "world_commands.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "4-data/file_formats.h"
#include "4-data/import_journal.h"
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

bool writeRawCopies(const FileSet &files, const WorldPlace &place, const StreamedFiles &music,
                    const std::string &folder, std::string &problem) {
    std::string raw = folder + "/" + rawFolder + "/";
    for (const auto &file : files) {
        if (!writeFileMakingFolders(raw + file.first, file.second, problem)) {
            return false;
        }
    }
    for (const StreamedFile &file : music) {
        if (!copyStreamedFile(place, file, raw + file.name, raw + file.name, problem)) {
            return false;
        }
    }
    return true;
}

// The folders the names go into (music/) that directory lacks.
std::vector<std::string> missingFolders(const std::vector<std::string> &names,
                                        const std::string &directory) {
    std::vector<std::string> missing;
    for (const std::string &name : names) {
        size_t slash = name.find('/');
        std::string folder = name.substr(0, slash);
        if (slash != std::string::npos && !exists(directory + "/" + folder) &&
            std::find(missing.begin(), missing.end(), folder) == missing.end()) {
            missing.push_back(folder);
        }
    }
    return missing;
}

// Writes the files and the music of `from` into `directory`, all or nothing, each
// under the spelling it has there, through a journal that lets the next run finish
// or undo an import killed part-way (import_journal.h); a folder made for them is
// removed again when they cannot all be placed.
bool placeWorldFiles(const FileSet &files, const WorldPlace &from, const StreamedFiles &music,
                     const std::string &directory, std::string &problem) {
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
    ImportMove move = {};
    bool ok = makeStagingFolder(directory + "/import", staging, problem);
    for (auto file = files.begin(); ok && file != files.end(); ++file) {
        std::string name = spelledAsIn(directory, file->first);
        ok = makeParentFolders(staging + "/" + name) &&
             writeBytes(staging + "/" + name, file->second);
        if (!ok) {
            problem = directory + "/" + name + ": cannot be written (" + strerror(errno) + ")";
        }
        move.files.push_back(name);
    }
    for (auto file = music.begin(); ok && file != music.end(); ++file) {
        std::string name = spelledAsIn(directory, file->name);
        ok = copyStreamedFile(from, *file, staging + "/" + name, directory + "/" + name, problem);
        move.files.push_back(name);
    }
    if (ok) {
        // The move removes the staging folder, or keeps it for the next run.
        move.staging = staging.substr(staging.rfind('/') + 1);
        move.folders = missingFolders(move.files, directory);
        ok = moveImportedFiles(directory, move, problem);
        releaseStagingFolder(staging);
    } else if (!staging.empty()) {
        problem += "; nothing imported";
        discardStagingFolder(staging);
    }
    if (!ok && made) {
        rmdir(directory.c_str()); // only when empty: a file that could not be put back stays
    }
    return ok;
}

} // namespace

bool finishInterrupted(const std::string &directory, bool importedInto) {
    std::string done, problem;
    bool settled = importedInto ? finishInterruptedImport(directory, done, problem)
                                : finishInterruptedReplace(directory, done, problem);
    if (!settled) {
        fprintf(stderr, "varnok-data: %s\n", shownText(problem).c_str());
    } else if (!done.empty()) {
        fprintf(stderr, "varnok-data: %s\n", shownText(done).c_str());
    }
    return settled;
}

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
    StreamedFiles music;
    Problems problems;
    std::string problem, staging;
    WorldPlace place = {directory, "", followLinks};
    if (!finishInterrupted(directory, true) || !finishInterrupted(out, false)) {
        return 1;
    }
    if (!exportTargetAllowed(directory, out, replace, problem)) {
        return refuse(problem, "");
    }
    if (!readWorldFiles(place, modes, files, music, problems)) {
        return refuseAll(problems, "nothing exported");
    }
    printf("read %zu files of '%s' (%s)\n", files.size() + music.size(),
           shownText(directory).c_str(), modesText(modes).c_str());
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
    if (!writeRawCopies(files, place, music, staging, problem)) {
        return refuse(problem, staging);
    }
    printf("raw: %zu files\n", files.size() + music.size());
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
    if (!finishInterrupted(in, false) ||
        (isFolder(directory) && !finishInterrupted(directory, true))) {
        return 1;
    }
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
    StreamedFiles music;
    Problems problems;
    WorldPlace place = {in, std::string(rawFolder) + "/", followNoLinks};
    if (!readWorldFiles(place, modes, before, music, problems)) {
        return refuseAll(problems, "nothing imported");
    }
    printf("read %zu raw files of '%s' (%s)\n", before.size() + music.size(), shownText(in).c_str(),
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
    if (!placeWorldFiles(files, place, music, directory, problem)) {
        return refuse(problem, "");
    }
    printf("imported '%s' into '%s': %zu files, %d changed, in %.2f s\n", shownText(in).c_str(),
           shownText(directory).c_str(), files.size() + music.size(), changed, secondsSince(start));
    return 0;
}
