#include "4-data/synced_files.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The names in a folder but "." and "..".
bool namesIn(const std::string &folder, std::vector<std::string> &names) {
    DIR *listing = opendir(folder.c_str());
    if (listing == nullptr) {
        return false;
    }
    for (struct dirent *entry = readdir(listing); entry != nullptr; entry = readdir(listing)) {
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0) {
            names.push_back(entry->d_name);
        }
    }
    closedir(listing);
    return true;
}

} // namespace

bool syncPath(const std::string &path) {
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

bool syncTree(const std::string &folder) {
#if defined(__linux__) && !defined(__EMSCRIPTEN__)
    // One call for the folder's whole file system keeps the same promise for every
    // file below it, and takes a fraction of the time of one sync a file when an
    // export holds hundreds of them.
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    bool synced = fd >= 0 && syncfs(fd) == 0;
    if (fd >= 0) {
        close(fd);
    }
    return synced;
#else
    std::vector<std::string> names;
    if (!namesIn(folder, names)) {
        return false;
    }
    for (const std::string &name : names) {
        std::string path = folder + "/" + name;
        struct stat info;
        if (lstat(path.c_str(), &info) != 0) {
            return false;
        }
        if (S_ISDIR(info.st_mode) ? !syncTree(path) : S_ISREG(info.st_mode) && !syncPath(path)) {
            return false;
        }
    }
    return syncPath(folder);
#endif
}

bool writeWhole(int fd, const std::string &text) {
    for (size_t done = 0; done < text.size();) {
        ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            int error = wrote < 0 ? errno : ENOSPC;
            close(fd);
            errno = error;
            return false;
        }
        done += (size_t)wrote;
    }
    return true;
}

bool writeSyncedFile(const std::string &path, const std::string &text) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 || !writeWhole(fd, text)) {
        return false;
    }
    if (fsync(fd) != 0) {
        int error = errno;
        close(fd);
        errno = error;
        return false;
    }
    return close(fd) == 0;
}

void removeTree(const std::string &folder) {
    std::vector<std::string> names;
    struct stat top;
    if (lstat(folder.c_str(), &top) != 0 || !S_ISDIR(top.st_mode)) {
        unlink(folder.c_str()); // a link goes, never what it points to
        return;
    }
    namesIn(folder, names);
    for (const std::string &name : names) {
        std::string path = folder + "/" + name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            removeTree(path);
        } else {
            unlink(path.c_str());
        }
    }
    rmdir(folder.c_str());
}

int holdFolder(const std::string &folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

void releaseFolder(int held) {
    if (held >= 0) {
        close(held);
    }
}

bool folderIsFree(const std::string &folder) {
    int held = holdFolder(folder);
    releaseFolder(held);
    return held >= 0;
}
