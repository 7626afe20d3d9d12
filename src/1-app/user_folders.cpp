#include "1-app/user_folders.h"

#include <cstdlib>

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
