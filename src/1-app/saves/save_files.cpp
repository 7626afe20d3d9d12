#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "1-app/saves/save_store.h"
#include "1-app/config/user_folders.h"
#include "2-play/save_text.h"
#include "4-data/regular_file.h"

namespace {

const char saveName[] = "save.txt";
const char backupName[] = "backup.txt";

// The world's folder; empty when neither XDG_DATA_HOME nor HOME gives one.
std::string folderOf(const std::string &world) {
    std::string saves = userSavesFolder();
    return saves.empty() ? saves : saves + "/" + world;
}

std::string placeOfSave(const std::string &world) {
    std::string folder = folderOf(world);
    return (folder.empty() ? "$XDG_DATA_HOME/varnok/saves/" + world : folder) + "/" + saveName;
}

SaveLookup readSave(const std::string &world, std::vector<uint8_t> &bytes, std::string &problem) {
    std::string folder = folderOf(world);
    if (folder.empty()) {
        return saveMissing;
    }
    errno = 0;
    std::string path = folder + "/" + saveName;
    switch (readRegularFile(path.c_str(), largestSaveText + 1, bytes)) {
    case fileAccepted:
        return saveFound;
    case fileMissing:
        if (errno == ENOENT || errno == ENOTDIR) {
            return saveMissing;
        }
        problem = strerror(errno);
        return saveRefused;
    case fileNotRegular:
        problem = "not a regular file";
        return saveRefused;
    case fileUnreadable:
        break;
    }
    problem = "read error";
    return saveRefused;
}

bool failWith(std::string &problem, const std::string &temporary) {
    problem = strerror(errno);
    if (!temporary.empty()) {
        unlink(temporary.c_str());
    }
    return false;
}

// text in a new file beside the save, on the disk before it is renamed into place.
bool writeTemporary(const std::string &folder, const std::string &text, std::string &temporary,
                    std::string &problem) {
    std::string pattern = folder + "/" + saveName + ".XXXXXX";
    int fd = mkstemp(&pattern[0]);
    if (fd < 0) {
        return failWith(problem, "");
    }
    temporary = pattern;
    for (size_t done = 0; done < text.size();) {
        ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            int error = wrote < 0 ? errno : ENOSPC;
            close(fd);
            errno = error;
            return failWith(problem, temporary);
        }
        done += (size_t)wrote;
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        return failWith(problem, temporary);
    }
    return true;
}

// The save in place becomes the backup, while it stays the save until the new one
// is renamed over it: a second name for it, renamed over the old backup. A folder
// without hard links gets it renamed away instead.
bool keepBackup(const std::string &folder, std::string &problem) {
    std::string save = folder + "/" + saveName;
    std::string backup = folder + "/" + backupName;
    struct stat status;
    if (lstat(save.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return true; // nothing saved before, or no save to keep: the rename says
    }
    std::string link = backup + ".new";
    unlink(link.c_str());
    bool linked = ::link(save.c_str(), link.c_str()) == 0;
    if (rename(linked ? link.c_str() : save.c_str(), backup.c_str()) != 0) {
        problem =
            std::string("cannot keep the save before as ") + backupName + ": " + strerror(errno);
        unlink(link.c_str());
        return false;
    }
    return true;
}

void syncFolder(const std::string &folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool writeSave(const std::string &world, const std::string &text, std::string &problem) {
    std::string folder = folderOf(world);
    if (folder.empty()) {
        problem = "neither XDG_DATA_HOME nor HOME names a folder for it";
        return false;
    }
    std::string temporary;
    if (!makeFolders(folder, problem) || !writeTemporary(folder, text, temporary, problem)) {
        return false;
    }
    if (!keepBackup(folder, problem)) {
        unlink(temporary.c_str());
        return false;
    }
    if (rename(temporary.c_str(), (folder + "/" + saveName).c_str()) != 0) {
        return failWith(problem, temporary);
    }
    syncFolder(folder);
    return true;
}

} // namespace

const SaveStore saveFiles = {placeOfSave, readSave, writeSave};
