#include "4-data/file_names.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace {

bool exists(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// A folder's entries by their names in lower case: the entry in byte order first
// among those that differ only in case, so that the choice does not depend on
// the folder's order.
typedef std::map<std::string, std::string> FolderListing;

// A folder as it was listed: known by its device and inode (whatever path led
// there), and listed again only when its time of change has moved on.
struct ListedFolder {
    struct timespec changed;
    FolderListing entries;
};
std::map<std::pair<dev_t, ino_t>, ListedFolder> listings;

std::string lowerCase(const std::string &text) {
    std::string lower = text;
    for (char &c : lower) {
        c = (char)tolower((unsigned char)c);
    }
    return lower;
}

bool sameTime(const struct timespec &a, const struct timespec &b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The listing of folder, read once for as long as the folder stays as it was.
const FolderListing *listingOf(const std::string &folder) {
    const char *path = folder.empty() ? "." : folder.c_str();
    struct stat status;
    if (stat(path, &status) != 0 || !S_ISDIR(status.st_mode)) {
        return nullptr;
    }
    ListedFolder &listed = listings[std::make_pair(status.st_dev, status.st_ino)];
    if (!listed.entries.empty() && sameTime(listed.changed, status.st_mtim)) {
        return &listed.entries;
    }
    listed.changed = status.st_mtim;
    listed.entries.clear();
    DIR *dir = opendir(path);
    while (struct dirent *entry = dir != nullptr ? readdir(dir) : nullptr) {
        std::string &found = listed.entries[lowerCase(entry->d_name)];
        if (found.empty() || strcmp(entry->d_name, found.c_str()) < 0) {
            found = entry->d_name;
        }
    }
    if (dir != nullptr) {
        closedir(dir);
    }
    return &listed.entries;
}

// The entry of folder named part in any case.
bool findEntry(const std::string &folder, const std::string &part, std::string &found) {
    const FolderListing *listing = listingOf(folder);
    if (listing == nullptr) {
        return false;
    }
    auto entry = listing->find(lowerCase(part));
    if (entry == listing->end()) {
        return false;
    }
    found = entry->second;
    return true;
}

// prefix + name with each part of name in the case it has on disk, part by part
// (an exact part wins); false as soon as one part is not there in any case.
bool matchParts(const std::string &prefix, const char *name, std::string &path) {
    path = prefix;
    const char *part = name;
    while (*part != '\0') {
        const char *slash = strchr(part, '/');
        std::string word = slash ? std::string(part, slash - part) : std::string(part);
        std::string folder = path;
        if (!path.empty() && path.back() != '/') {
            path += '/';
        }
        std::string found;
        if (word.empty() || word == "." || word == ".." || exists(path + word)) {
            path += word;
        } else if (findEntry(folder, word, found)) {
            path += found;
        } else {
            return false;
        }
        if (slash == nullptr) {
            break;
        }
        part = slash + 1;
    }
    return true;
}

} // namespace

char *findDataFile(const char *directory, const char *name) {
    bool bare = directory == nullptr || directory[0] == '\0';
    std::string exact = bare ? std::string(name) : std::string(directory) + "/" + name;
    if (exists(exact)) {
        return strdup(exact.c_str());
    }
    std::string matched;
    if (matchParts(bare ? std::string() : std::string(directory) + "/", name, matched)) {
        return strdup(matched.c_str());
    }
    return strdup(exact.c_str());
}
