#include "1-app/config/installed_data.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

// Where the install rules put the demo world, seen from the binary's folder;
// the build passes the path that its install folders give.
#ifndef VARNOK_DEMO_FROM_BINARY
#define VARNOK_DEMO_FROM_BINARY "../share/varnok/demo"
#endif

std::string folderBesideExecutable(const std::string &executable, const std::string &relative) {
    size_t slash = executable.rfind('/');
    if (slash == std::string::npos || relative.empty()) {
        return "";
    }
    std::string candidate = executable.substr(0, slash + 1) + relative;
    char resolved[PATH_MAX];
    struct stat status;
    if (realpath(candidate.c_str(), resolved) == nullptr || stat(resolved, &status) != 0 ||
        !S_ISDIR(status.st_mode)) {
        return "";
    }
    return resolved;
}

std::string installedDemoDirectory() {
    // The kernel's link names the binary itself, wherever it was started from
    // and through whatever symbolic link.
    char executable[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", executable, sizeof executable - 1);
    if (length <= 0) {
        return "";
    }
    executable[length] = '\0';
    return folderBesideExecutable(executable, VARNOK_DEMO_FROM_BINARY);
}
