#include "staged_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

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

} // namespace

bool makeStagingFolder(const std::string &target, std::string &staging, std::string &problem) {
    std::string pattern = parentOf(target) + "/." + leafOf(target) + ".partial-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        problem = parentOf(target) + ": cannot make a temporary folder there";
        return false;
    }
    staging = buffer.data();
    return true;
}

void discardStagingFolder(const std::string &staging) {
    std::error_code ignored;
    fs::remove_all(staging, ignored);
}

bool replaceFolder(const std::string &staging, const std::string &target, ReplaceCheck mayReplace,
                   std::string &problem) {
    // The folder gets the permissions of any new folder, not the private ones of
    // a temporary folder.
    mode_t mask = umask(0);
    umask(mask);
    chmod(staging.c_str(), 0777 & ~mask);
    // rename puts a folder in place of a missing or empty one in one step, and
    // refuses one that holds anything.
    if (rename(staging.c_str(), target.c_str()) == 0) {
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
    std::string old, reason;
    if (!makeStagingFolder(target, old, problem)) {
        return false;
    }
    // The old folder is checked where it was moved aside, so that nothing written
    // into it after an earlier look can be lost.
    std::string aside = old + "/old";
    if (rename(target.c_str(), aside.c_str()) != 0) {
        discardStagingFolder(old);
        problem = target + ": cannot be replaced (" + strerror(errno) + ")";
        return false;
    }
    bool allowed = mayReplace(aside, reason);
    if (allowed && rename(staging.c_str(), target.c_str()) == 0) {
        discardStagingFolder(old);
        return true;
    }
    problem = target + ": " + (allowed ? "cannot be written" : reason + "; nothing replaced");
    if (rename(aside.c_str(), target.c_str()) != 0) {
        problem += "; the earlier folder is kept as " + aside;
        return false;
    }
    discardStagingFolder(old);
    return false;
}

namespace {

struct MovedFile {
    std::string name;
    bool replaced; // an earlier file went aside
    bool placed;   // the new file is in the target
};

// The folders of name (music/ of "music/town.wav") inside folder, as needed.
bool makeFoldersInside(const std::string &folder, const std::string &name) {
    std::error_code error;
    size_t slash = name.rfind('/');
    return slash == std::string::npos ||
           (fs::create_directories(folder + "/" + name.substr(0, slash), error), !error);
}

// Undoes moveFilesInto, last file first; false when a file cannot be put back.
bool putBack(const std::vector<MovedFile> &moved, const std::string &aside,
             const std::string &target) {
    bool ok = true;
    for (auto it = moved.rbegin(); it != moved.rend(); ++it) {
        std::string to = target + "/" + it->name;
        if (it->replaced) {
            ok = rename((aside + "/" + it->name).c_str(), to.c_str()) == 0 && ok;
        } else if (it->placed) {
            ok = unlink(to.c_str()) == 0 && ok;
        }
    }
    return ok;
}

} // namespace

bool moveFilesInto(const std::string &staging, const std::vector<std::string> &names,
                   const std::string &target, std::string &problem) {
    // Inside the staging folder, where no data file name can meet it.
    std::string aside = staging + "/.replaced";
    std::vector<MovedFile> moved;
    bool ok = mkdir(aside.c_str(), 0700) == 0;
    if (!ok) {
        problem = staging + ": cannot be written";
    }
    for (size_t i = 0; ok && i < names.size(); ++i) {
        std::string to = target + "/" + names[i];
        struct stat info;
        MovedFile file = {names[i], lstat(to.c_str(), &info) == 0, false};
        if (file.replaced && S_ISDIR(info.st_mode)) {
            problem = to + ": is a folder where the file goes; nothing imported";
            ok = false;
        } else if (file.replaced && (!makeFoldersInside(aside, names[i]) ||
                                     rename(to.c_str(), (aside + "/" + names[i]).c_str()) != 0)) {
            problem = to + ": cannot be replaced (" + strerror(errno) + "); nothing imported";
            ok = false;
        } else {
            moved.push_back(file);
            ok = rename((staging + "/" + names[i]).c_str(), to.c_str()) == 0;
            moved.back().placed = ok;
            if (!ok) {
                problem = to + ": cannot be written (" + strerror(errno) + "); nothing imported";
            }
        }
    }
    if (!ok && !putBack(moved, aside, target)) {
        problem += "; the replaced files are kept in " + aside;
        return false;
    }
    discardStagingFolder(staging);
    return ok;
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
