#include "inside_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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
    // fails with ELOOP.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (links == followNoLinks ? O_NOFOLLOW : 0);
    int fd = parent >= 0 ? openat(parent, leaf.c_str(), flags) : -1;
    int error = errno;
    if (parent >= 0) {
        close(parent);
    }
    struct stat status;
    if (fd < 0 || fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        *why = fd >= 0 || error == ELOOP || error == ENOTDIR ? fileNotRegular : fileMissing;
        if (fd >= 0) {
            close(fd);
        }
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE *file = fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
        *why = fileMissing;
        return nullptr;
    }
    *size = (int64_t)status.st_size;
    *why = fileAccepted;
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
