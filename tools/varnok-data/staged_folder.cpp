#include "staged_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

bool isFolder(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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

bool replaceableExport(const std::string &target) {
    std::error_code error;
    if (!fs::exists(target, error)) {
        return true;
    }
    return isFolder(target) && (fs::is_empty(target, error) || isFolder(target + "/raw"));
}

bool replaceFolder(const std::string &staging, const std::string &target, std::string &problem) {
    std::string old;
    if (fs::exists(target)) {
        if (!makeStagingFolder(target, old, problem)) {
            return false;
        }
        // The old folder goes aside first: rename cannot replace a folder that has files.
        if (rename(target.c_str(), (old + "/old").c_str()) != 0) {
            discardStagingFolder(old);
            problem = target + ": cannot be replaced";
            return false;
        }
    }
    if (rename(staging.c_str(), target.c_str()) != 0) {
        problem = target + ": cannot be written";
        if (!old.empty()) {
            rename((old + "/old").c_str(), target.c_str());
            discardStagingFolder(old);
        }
        return false;
    }
    if (!old.empty()) {
        discardStagingFolder(old);
    }
    return true;
}

bool moveFilesInto(const std::string &staging, const std::vector<std::string> &names,
                   const std::string &target, std::string &problem) {
    for (const std::string &name : names) {
        std::string to = target + "/" + name;
        if (rename((staging + "/" + name).c_str(), to.c_str()) != 0) {
            problem = to + ": cannot be replaced";
            discardStagingFolder(staging);
            return false;
        }
    }
    discardStagingFolder(staging);
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
