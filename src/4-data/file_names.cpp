#include "4-data/file_names.h"

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <strings.h>
#include <sys/stat.h>

namespace {

bool exists(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// The entry of folder named part in any case; several such entries give the
// first in byte order, so the choice does not depend on the folder's order.
bool findEntry(const std::string &folder, const std::string &part, std::string &found) {
    DIR *dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    found.clear();
    while (struct dirent *entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, part.c_str()) == 0 &&
            (found.empty() || strcmp(entry->d_name, found.c_str()) < 0)) {
            found = entry->d_name;
        }
    }
    closedir(dir);
    return !found.empty();
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
