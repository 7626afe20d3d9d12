#include "staged_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "4-data/journal_file.h"
#include "4-data/synced_files.h"

namespace fs = std::filesystem;

namespace {

const char journalKind[] = "varnok-data export journal";

// The staging folders this process is writing, each with the lock that keeps the
// clean-up of another run away from it.
std::vector<std::pair<std::string, int>> heldFolders;

void release(const std::string &staging) {
    for (auto held = heldFolders.begin(); held != heldFolders.end(); ++held) {
        if (held->first == staging) {
            releaseFolder(held->second);
            heldFolders.erase(held);
            return;
        }
    }
}

std::string parentOf(const std::string &path) {
    fs::path p = fs::path(path).lexically_normal();
    if (p.has_filename() == false) {
        p = p.parent_path();
    }
    fs::path parent = p.parent_path();
    return parent.empty() ? "." : parent.string();
}

std::string leafOf(const std::string &path) {
    fs::path p = fs::path(path).lexically_normal();
    if (!p.has_filename()) {
        p = p.parent_path();
    }
    return p.filename().string();
}

// ".LEAF.partial-": the start of every staging folder's name beside target.
std::string stagingPrefix(const std::string &target) {
    return "." + leafOf(target) + ".partial-";
}

std::string journalOf(const std::string &target) {
    return parentOf(target) + "/." + leafOf(target) + ".export-journal";
}

bool isFolder(const std::string &path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool present(const std::string &path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// Removes the staging folders beside target that no running process holds, but
// `keep`.
void removeLeftovers(const std::string &target, const std::string &keep) {
    std::string parent = parentOf(target), prefix = stagingPrefix(target);
    std::vector<std::string> leftovers;
    std::error_code error;
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string(), path = parent + "/" + name;
        if (name.compare(0, prefix.size(), prefix) == 0 && name != keep && isFolder(path) &&
            folderIsFree(path)) {
            leftovers.push_back(path);
        }
    }
    for (const std::string &path : leftovers) {
        removeTree(path);
    }
    unlink((journalOf(target) + ".new").c_str());
}

} // namespace

bool makeStagingFolder(const std::string &target, std::string &staging, std::string &problem) {
    std::string pattern = parentOf(target) + "/" + stagingPrefix(target) + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        problem = parentOf(target) + ": cannot make a temporary folder there";
        return false;
    }
    staging = buffer.data();
    heldFolders.push_back({staging, holdFolder(staging)});
    return true;
}

void discardStagingFolder(const std::string &staging) {
    std::error_code ignored;
    release(staging);
    fs::remove_all(staging, ignored);
}

void releaseStagingFolder(const std::string &staging) {
    release(staging);
}

bool replaceFolder(const std::string &staging, const std::string &target, ReplaceCheck mayReplace,
                   std::string &problem) {
    // The folder gets the permissions of any new folder, not the private ones of
    // a temporary folder.
    mode_t mask = umask(0);
    umask(mask);
    chmod(staging.c_str(), 0777 & ~mask);
    std::string parent = parentOf(target);
    if (!syncTree(staging)) {
        problem = target + ": cannot be written (" + strerror(errno) + ")";
        return false;
    }
    // rename puts a folder in place of a missing or empty one in one step, and
    // refuses one that holds anything.
    if (rename(staging.c_str(), target.c_str()) == 0) {
        release(staging);
        syncPath(parent);
        return true;
    }
    int error = errno;
    bool occupied = error == ENOTEMPTY || error == EEXIST;
    if (!occupied || mayReplace == nullptr) {
        problem =
            target + (occupied ? ": is no longer empty; nothing replaced"
                               : ": cannot be written (" + std::string(strerror(error)) + ")");
        return false;
    }
    std::string old, reason, journal = journalOf(target);
    if (!makeStagingFolder(target, old, problem)) {
        return false;
    }
    if (!writeJournal(journal, journalKind, {{"new", leafOf(staging)}, {"old", leafOf(old)}},
                      problem)) {
        discardStagingFolder(old);
        return false;
    }
    // The old folder is checked where it was moved aside, so that nothing written
    // into it after an earlier look can be lost.
    std::string aside = old + "/old";
    if (rename(target.c_str(), aside.c_str()) != 0) {
        problem = target + ": cannot be replaced (" + strerror(errno) + ")";
        removeJournal(journal);
        discardStagingFolder(old);
        return false;
    }
    bool allowed = mayReplace(aside, reason);
    if (allowed && rename(staging.c_str(), target.c_str()) == 0) {
        release(staging);
        syncPath(parent);
        removeJournal(journal);
        discardStagingFolder(old);
        return true;
    }
    problem = target + ": " + (allowed ? "cannot be written" : reason + "; nothing replaced");
    if (rename(aside.c_str(), target.c_str()) != 0) {
        // The journal stays: the next run puts the folder back.
        problem += "; the earlier folder is kept as " + aside;
        return false;
    }
    syncPath(parent);
    removeJournal(journal);
    discardStagingFolder(old);
    return false;
}

bool finishInterruptedReplace(const std::string &target, std::string &done, std::string &problem) {
    std::string journal = journalOf(target), parent = parentOf(target), keep;
    std::string prefix = stagingPrefix(target);
    Journal lines;
    done.clear();
    if (!present(journal)) {
        removeLeftovers(target, "");
        return true;
    }
    if (!readJournal(journal, journalKind, lines, problem)) {
        return false;
    }
    std::vector<std::string> fresh = journalValues(lines, "new"), old = journalValues(lines, "old");
    bool sound = fresh.size() == 1 && old.size() == 1 && lines.size() == 2;
    for (size_t i = 0; sound && i < 2; ++i) {
        const std::string &leaf = i == 0 ? fresh[0] : old[0];
        sound = leaf.compare(0, prefix.size(), prefix) == 0 && leaf.size() > prefix.size() &&
                leaf.find('/') == std::string::npos;
    }
    if (!sound) {
        problem = journal + ": not a journal this program wrote; left as it is";
        return false;
    }
    std::string aside = parent + "/" + old[0] + "/old";
    int held = holdFolder(parent + "/" + old[0]);
    if (held < 0 && errno == EWOULDBLOCK) {
        return true; // an export that is running now
    }
    if (!present(target) && isFolder(aside)) {
        // Killed between the renames: the new folder was not in place yet.
        if (rename(aside.c_str(), target.c_str()) != 0) {
            releaseFolder(held);
            problem = target + ": cannot be put back from " + aside + " (" + strerror(errno) + ")";
            return false;
        }
        syncPath(parent);
        done = target + ": an interrupted replace was undone; the earlier folder is back";
    } else if (present(parent + "/" + fresh[0]) && isFolder(aside)) {
        keep = old[0]; // something else stands at target now: the old folder stays
        done = target + ": an interrupted replace left the earlier folder as " + aside;
    } else if (present(parent + "/" + fresh[0])) {
        done = target + ": an interrupted replace was undone; the earlier folder stayed";
    } else {
        done = target + ": an interrupted replace was finished";
    }
    releaseFolder(held);
    removeJournal(journal);
    removeLeftovers(target, keep);
    return true;
}

void folderSize(const std::string &folder, long long &bytes, int &files) {
    bytes = 0;
    files = 0;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error)) {
            bytes += (long long)it->file_size(error);
            ++files;
        }
    }
}
