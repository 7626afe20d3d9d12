#include "1-app/config/user_folders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

// The variable when it holds an absolute path (relative ones are to be ignored),
// else HOME followed by the usual place.
std::string baseFolder(const char *variable, const char *underHome) {
    const char *value = getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    const char *home = getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + underHome;
    }
    return "";
}

std::string programFolder(const char *variable, const char *underHome) {
    std::string base = baseFolder(variable, underHome);
    return base.empty() ? base : base + "/varnok";
}

bool isFolder(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool makeOneFolder(const std::string &path, std::string &problem) {
    if (mkdir(path.c_str(), 0755) == 0 || (errno == EEXIST && isFolder(path))) {
        return true;
    }
    // Something other than a folder in the way reads as what it is.
    problem = strerror(errno == EEXIST ? ENOTDIR : errno);
    return false;
}

} // namespace

std::string userConfigFolder() {
    return programFolder("XDG_CONFIG_HOME", "/.config");
}

std::string userDataFolder() {
    std::string folder = programFolder("XDG_DATA_HOME", "/.local/share");
    return folder.empty() ? folder : folder + "/data";
}

std::string userSavesFolder() {
    std::string folder = programFolder("XDG_DATA_HOME", "/.local/share");
    return folder.empty() ? folder : folder + "/saves";
}

bool makeFolders(const std::string &path, std::string &problem) {
    if (path.empty()) {
        problem = "no folder named";
        return false;
    }
    // Each parent in turn, from the first slash that is not the root.
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        if (path[slash - 1] != '/' && !makeOneFolder(path.substr(0, slash), problem)) {
            return false;
        }
    }
    return makeOneFolder(path, problem);
}
