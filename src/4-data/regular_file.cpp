#include "4-data/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FILE *openRegularFile(const char *path, int64_t *size, FileRefusal *why) {
    struct stat status;
    if (stat(path, &status) != 0) {
        *why = fileMissing;
        return nullptr;
    }
    if (!S_ISREG(status.st_mode)) {
        *why = fileNotRegular;
        return nullptr;
    }
    // Non-blocking, so that a FIFO put in place since the check cannot hold the open.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *why = fileMissing;
        return nullptr;
    }
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        *why = fileNotRegular;
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE *file = fdopen(fd, "rb");
    if (file == nullptr) {
        close(fd);
        *why = fileMissing;
        return nullptr;
    }
    if (size != nullptr) {
        *size = (int64_t)status.st_size;
    }
    *why = fileAccepted;
    return file;
}

FileRefusal readRegularFile(const char *path, int64_t limit, std::vector<uint8_t> &bytes) {
    bytes.clear();
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = openRegularFile(path, &size, &why);
    if (file == nullptr) {
        return why;
    }
    bytes.resize((size_t)(size < limit ? size : limit));
    size_t got = bytes.empty() ? 0 : fread(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    if (got != bytes.size()) {
        bytes.clear();
        return fileUnreadable;
    }
    return fileAccepted;
}

void warnNotRegularFile(const char *kind, const char *path) {
    fprintf(stderr, "Warning: %s '%s' is not a regular file\n", kind, path);
    fflush(stderr);
}
