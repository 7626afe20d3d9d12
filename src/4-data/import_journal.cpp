#include "4-data/import_journal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "4-data/journal_file.h"
#include "4-data/synced_files.h"

const char importJournalName[] = ".varnok-import-journal";
const char importStagingPrefix[] = ".import.partial-";

namespace {

const char journalKind[] = "varnok-data import journal";
// Inside the temporary folder, where no name of a world file can meet it.
const char asideFolder[] = ".replaced";

std::string journalPath(const std::string &directory) {
    return directory + "/" + importJournalName;
}

bool present(const std::string &path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// A folder itself, not a link to one.
bool realFolder(const std::string &path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string because(const std::string &path, const char *what) {
    return path + ": " + what + " (" + strerror(errno) + ")";
}

// The folder part of a name ("music" of "music/town.wav"); empty for none.
std::string folderPart(const std::string &name) {
    size_t slash = name.find('/');
    return slash == std::string::npos ? "" : name.substr(0, slash);
}

bool makeFolder(const std::string &path) {
    return mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && realFolder(path));
}

// One file in: the file it replaces aside, then the new one in its place. A file
// no longer in the temporary folder was moved in before.
bool moveIn(const std::string &directory, const std::string &staging, const std::string &name,
            std::string &problem) {
    std::string from = staging + "/" + name, to = directory + "/" + name;
    std::string aside = staging + "/" + asideFolder + "/" + name, folder = folderPart(name);
    struct stat info;
    if (!present(from)) {
        return true;
    }
    if (lstat(to.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        problem = to + ": is a folder where the file goes";
        return false;
    }
    if (lstat(to.c_str(), &info) == 0 && !present(aside) &&
        (!makeFolder(staging + "/" + asideFolder) ||
         (!folder.empty() && !makeFolder(staging + "/" + asideFolder + "/" + folder)) ||
         rename(to.c_str(), aside.c_str()) != 0)) {
        problem = because(to, "cannot be replaced");
        return false;
    }
    if (rename(from.c_str(), to.c_str()) != 0) {
        problem = because(to, "cannot be written");
        return false;
    }
    return true;
}

// One file out again: the new file back into the temporary folder, then the file
// it replaced back in its place.
bool moveOut(const std::string &directory, const std::string &staging, const std::string &name) {
    std::string from = staging + "/" + name, to = directory + "/" + name;
    std::string aside = staging + "/" + asideFolder + "/" + name;
    struct stat info;
    bool ok = true;
    if (!present(from) && lstat(to.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        ok = rename(to.c_str(), from.c_str()) == 0;
    }
    if (ok && present(aside)) {
        ok = rename(aside.c_str(), to.c_str()) == 0;
    }
    return ok;
}

Journal journalOf(const ImportMove &move) {
    Journal lines = {{"staging", move.staging}, {"way", move.undoing ? "back" : "forward"}};
    for (const std::string &folder : move.folders) {
        lines.push_back({"folder", folder});
    }
    for (const std::string &file : move.files) {
        lines.push_back({"file", file});
    }
    return lines;
}

// A name a journal may give: one part, or a folder part and one more (as import
// writes), no part empty, "." or ".."; the first part never hidden, so that no
// journal moves a journal or a temporary folder.
bool plainName(const std::string &name, bool folder) {
    size_t slash = name.find('/');
    std::string first = name.substr(0, slash),
                second = slash == std::string::npos ? "x" : name.substr(slash + 1);
    if (first.empty() || first[0] == '.' || second.empty() || second == "." || second == ".." ||
        second.find('/') != std::string::npos) {
        return false;
    }
    return !folder || slash == std::string::npos;
}

// The moves a journal in `directory` describes, checked: only names inside the
// folder, reached through no link, so that a journal that came with a world cannot
// move a file anywhere else.
bool moveOfJournal(const std::string &directory, const Journal &lines, ImportMove &move,
                   std::string &problem) {
    std::vector<std::string> staging = journalValues(lines, "staging");
    std::vector<std::string> way = journalValues(lines, "way");
    std::string path = journalPath(directory);
    move.folders = journalValues(lines, "folder");
    move.files = journalValues(lines, "file");
    bool sound = staging.size() == 1 && way.size() == 1 &&
                 (way[0] == "forward" || way[0] == "back") &&
                 lines.size() == 2 + move.folders.size() + move.files.size() &&
                 staging[0].compare(0, strlen(importStagingPrefix), importStagingPrefix) == 0 &&
                 staging[0].find('/') == std::string::npos && staging[0] != importStagingPrefix;
    for (const std::string &folder : move.folders) {
        sound = sound && plainName(folder, true);
    }
    // The temporary folder, when it is still there, and every folder a file goes
    // through, are folders themselves, not links.
    std::string from = sound ? directory + "/" + staging[0] : "";
    bool staged = sound && realFolder(from);
    sound = sound && (staged || !present(from));
    for (const std::string &file : move.files) {
        std::string folder = folderPart(file), to = directory + "/" + folder;
        sound = sound && plainName(file, false) &&
                (folder.empty() || ((realFolder(to) || !present(to)) &&
                                    (!staged || realFolder(from + "/" + folder))));
    }
    if (!sound) {
        problem = path + ": not a journal this program wrote, or it names a file through a link; "
                         "left as it is";
        return false;
    }
    move.staging = staging[0];
    move.undoing = way[0] == "back";
    return true;
}

// Syncs the folders the moves changed, so that the renames are on the disk before
// the journal goes.
void syncMoved(const std::string &directory, const ImportMove &move) {
    std::set<std::string> folders;
    for (const std::string &file : move.files) {
        folders.insert(folderPart(file));
    }
    for (const std::string &folder : folders) {
        syncPath(folder.empty() ? directory : directory + "/" + folder);
    }
}

// Makes the moves of `move` from wherever they stand, or undoes them when the
// journal says so or a move cannot be made. True when the folder holds the new
// world or (`undone`) the old one again; false with `problem` when a file could
// not be put back, and then the journal stays for the next run.
bool carryOut(const std::string &directory, ImportMove move, bool &undone, std::string &problem) {
    std::string staging = directory + "/" + move.staging;
    for (size_t i = 0; !move.undoing && i < move.folders.size(); ++i) {
        std::string folder = directory + "/" + move.folders[i];
        if (!makeFolder(folder)) {
            problem = because(folder, "cannot be made");
            move.undoing = true;
        }
    }
    for (size_t i = 0; !move.undoing && i < move.files.size(); ++i) {
        move.undoing = !moveIn(directory, staging, move.files[i], problem);
    }
    undone = move.undoing;
    if (move.undoing) {
        std::string unwritten;
        if (!writeJournal(journalPath(directory), journalKind, journalOf(move), unwritten)) {
            problem += "; " + unwritten;
            return false;
        }
        bool back = true;
        for (auto file = move.files.rbegin(); file != move.files.rend(); ++file) {
            back = moveOut(directory, staging, *file) && back;
        }
        if (!back) {
            problem += "; the replaced files are kept in " + staging + "/" + asideFolder;
            return false;
        }
        for (auto folder = move.folders.rbegin(); folder != move.folders.rend(); ++folder) {
            rmdir((directory + "/" + *folder).c_str()); // only when empty
        }
    }
    syncMoved(directory, move);
    return true;
}

// Removes the temporary folders of killed imports: those nobody holds.
void removeLeftovers(const std::string &directory) {
    DIR *listing = opendir(directory.c_str());
    std::vector<std::string> leftovers;
    for (struct dirent *entry = listing != nullptr ? readdir(listing) : nullptr; entry != nullptr;
         entry = readdir(listing)) {
        std::string name = entry->d_name, path = directory + "/" + name;
        if (name.compare(0, strlen(importStagingPrefix), importStagingPrefix) == 0 &&
            realFolder(path) && folderIsFree(path)) {
            leftovers.push_back(path);
        }
    }
    if (listing != nullptr) {
        closedir(listing);
    }
    for (const std::string &path : leftovers) {
        removeTree(path);
    }
    unlink((journalPath(directory) + ".new").c_str());
}

} // namespace

bool moveImportedFiles(const std::string &directory, const ImportMove &move, std::string &problem) {
    std::string staging = directory + "/" + move.staging, path = journalPath(directory);
    bool undone = false;
    if (!syncTree(staging)) {
        problem = because(staging, "cannot be written") + "; nothing imported";
        removeTree(staging);
        return false;
    }
    if (!writeJournal(path, journalKind, journalOf(move), problem)) {
        problem += "; nothing imported";
        removeTree(staging);
        return false;
    }
    if (!carryOut(directory, move, undone, problem)) {
        return false;
    }
    removeJournal(path);
    removeTree(staging);
    if (undone) {
        problem += "; nothing imported";
    }
    return !undone;
}

bool finishInterruptedImport(const std::string &directory, std::string &done,
                             std::string &problem) {
    std::string path = journalPath(directory);
    Journal lines;
    ImportMove move;
    done.clear();
    if (!present(path)) {
        removeLeftovers(directory);
        return true;
    }
    if (!readJournal(path, journalKind, lines, problem) ||
        !moveOfJournal(directory, lines, move, problem)) {
        return false;
    }
    std::string staging = directory + "/" + move.staging, why;
    int held = holdFolder(staging);
    if (held < 0 && errno == EWOULDBLOCK) {
        return true; // an import that is running now
    }
    bool undone = false;
    if (held >= 0 && !carryOut(directory, move, undone, why)) {
        releaseFolder(held);
        problem = why;
        return false;
    }
    releaseFolder(held);
    removeJournal(path);
    removeLeftovers(directory);
    done = directory + ": " +
           (held < 0 ? "an import journal without its temporary folder was removed"
            : undone ? "an interrupted import was undone; the world is as it was before it"
                     : "an interrupted import was finished");
    return true;
}
