#include "4-data/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "4-data/shown_text.h"

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
    return regularFileOf(open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC), size, why);
}

FILE *regularFileOf(int fd, int64_t *size, FileRefusal *why) {
    struct stat status;
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

FileRefusal readRegularFile(const char *path, int64_t limit, std::vector<uint8_t> &bytes,
                            int64_t *fileSize) {
    bytes.clear();
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = openRegularFile(path, &size, &why);
    if (fileSize != nullptr) {
        *fileSize = size;
    }
    if (file == nullptr) {
        return why;
    }
    why = readMoreOf(file, size < limit ? size : limit, bytes);
    fclose(file);
    return why;
}

FileRefusal readMoreOf(FILE *file, int64_t count, std::vector<uint8_t> &bytes) {
    size_t start = bytes.size();
    bytes.resize(start + (size_t)(count > 0 ? count : 0));
    size_t wanted = bytes.size() - start;
    if (wanted > 0 && fread(bytes.data() + start, 1, wanted, file) != wanted) {
        bytes.clear();
        return fileUnreadable;
    }
    return fileAccepted;
}

void warnNotRegularFile(const char *kind, const char *path) {
    fprintf(stderr, "Warning: %s '%s' is not a regular file\n", kind, shownText(path).c_str());
    fflush(stderr);
}

void warnIfLong(const char *path, int64_t fileSize, int64_t used) {
    if (fileSize > used) {
        fprintf(stderr,
                "Warning: data file '%s' is longer than its layout; only its first %lld bytes are "
                "read\n",
                shownText(path).c_str(), (long long)used);
        fflush(stderr);
    }
}
