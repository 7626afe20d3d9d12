#include "inside_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The descriptor of the folder holding the last part of relative, each folder
// below `folder` opened without following a link when so asked; -1 when one
// cannot be opened. *leaf gets the last part.
int openParentFolder(const std::string &folder, const std::string &relative, LinkRule links,
                     std::string *leaf) {
    int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (links == followNoLinks ? O_NOFOLLOW : 0);
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    size_t start = 0;
    for (size_t slash; fd >= 0 && (slash = relative.find('/', start)) != std::string::npos;
         start = slash + 1) {
        int inner = openat(fd, relative.substr(start, slash - start).c_str(), flags);
        close(fd);
        fd = inner;
    }
    *leaf = relative.substr(start);
    return fd;
}

} // namespace

FILE *openInsideFolder(const std::string &folder, const std::string &relative, LinkRule links,
                       int64_t *size, FileRefusal *why) {
    std::string leaf;
    int parent = openParentFolder(folder, relative, links, &leaf);
    // Non-blocking, so that a FIFO cannot hold the open; a link as the file itself
    // fails with ELOOP, a link as a folder above it with ENOTDIR or ELOOP.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == followNoLinks ? O_NOFOLLOW : 0);
    int fd = parent >= 0 ? openat(parent, leaf.c_str(), flags) : -1;
    bool linked = fd < 0 && (errno == ELOOP || errno == ENOTDIR);
    if (parent >= 0) {
        close(parent);
    }
    FILE *file = regularFileOf(fd, size, why);
    if (linked) {
        *why = fileNotRegular;
    }
    return file;
}

bool plainFileInside(const std::string &folder, const std::string &relative) {
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = openInsideFolder(folder, relative, followNoLinks, &size, &why);
    if (file != nullptr) {
        fclose(file);
    }
    return file != nullptr;
}
