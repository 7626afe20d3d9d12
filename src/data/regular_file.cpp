#include "data/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FILE *openRegularFile(const char *path, FileOpenProblem *problem) {
    FileOpenProblem ignored;
    FileOpenProblem &why = problem != nullptr ? *problem : ignored;
    // O_NONBLOCK: opening a FIFO returns at once instead of waiting for a writer;
    // for an ordinary file it changes nothing.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = (errno == ENOENT || errno == ENOTDIR) ? fileMissing : fileUnreadable;
        if (errno == ENXIO) {
            why = fileNotRegular; // a socket, or a device with nothing behind it
        }
        return nullptr;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        why = fileNotRegular;
        return nullptr;
    }
    FILE *file = fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
        why = fileUnreadable;
        return nullptr;
    }
    why = fileOpened;
    return file;
}

const char *fileOpenProblemText(FileOpenProblem problem) {
    switch (problem) {
    case fileOpened:
        return "opened";
    case fileMissing:
        return "no such file";
    case fileNotRegular:
        return "not a regular file";
    case fileUnreadable:
        break;
    }
    return "cannot be read";
}

bool isRegularFile(const char *path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}
