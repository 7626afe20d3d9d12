#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "1-app/config/user_folders.h"
#include "1-app/saves/save_names.h"
#include "1-app/saves/save_store.h"
#include "2-play/save_text.h"
#include "4-data/regular_file.h"
#include "4-data/synced_files.h"

namespace {

const char worldNoteName[] = "world.txt";

// How many taken numbers an add steps over before it gives up.
const int numberTries = 1000;

// The world's folder; empty when neither XDG_DATA_HOME nor HOME gives one.
std::string folderOf(const std::string &world) {
    std::string saves = userSavesFolder();
    return saves.empty() ? saves : saves + "/" + world;
}

std::string placeOfSave(const std::string &world, const std::string &name) {
    std::string folder = folderOf(world);
    folder = folder.empty() ? "$XDG_DATA_HOME/varnok/saves/" + world : folder;
    return name.empty() ? folder : folder + "/" + name;
}

std::vector<SaveEntry> listSaves(const std::string &world) {
    std::vector<SaveEntry> entries;
    std::string folder = folderOf(world);
    DIR *dir = folder.empty() ? nullptr : opendir(folder.c_str());
    if (dir == nullptr) {
        return entries;
    }
    while (struct dirent *entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (saveNumberOf(name) < 0) {
            continue;
        }
        struct stat status;
        int64_t modified = lstat((folder + "/" + name).c_str(), &status) == 0 ? status.st_mtime : 0;
        entries.push_back({name, modified});
    }
    closedir(dir);
    return entries;
}

SaveLookup readSave(const std::string &world, const std::string &name, std::vector<uint8_t> &bytes,
                    std::string &problem) {
    std::string folder = folderOf(world);
    if (folder.empty()) {
        return saveMissing;
    }
    errno = 0;
    std::string path = folder + "/" + name;
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

// text in a new file of the folder, on the disk before it is given its name.
// The temporary name is no save's: a file left by a crash is never listed.
bool writeTemporary(const std::string &folder, const std::string &text, std::string &temporary,
                    std::string &problem) {
    std::string pattern = folder + "/.writing.XXXXXX";
    int fd = mkstemp(&pattern[0]);
    if (fd < 0) {
        return failWith(problem, "");
    }
    temporary = pattern;
    if (!writeWhole(fd, text)) {
        return failWith(problem, temporary);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        return failWith(problem, temporary);
    }
    return true;
}

enum Naming { named, nameTaken, namingFailed };

// Gives the written temporary file the name `target` unless something already
// bears it: a second hard link, which never replaces anything; where the folder
// has no hard links, the name is first taken by an empty file made only if
// there is none (O_EXCL), and the temporary file renamed over that.
Naming giveName(const std::string &temporary, const std::string &target) {
    if (link(temporary.c_str(), target.c_str()) == 0) {
        unlink(temporary.c_str());
        return named;
    }
    if (errno == EEXIST) {
        return nameTaken;
    }
    int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return errno == EEXIST ? nameTaken : namingFailed;
    }
    close(fd);
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        int error = errno;
        unlink(target.c_str());
        errno = error;
        return namingFailed;
    }
    return named;
}

void syncFolder(const std::string &folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// world.txt: which data folder the digest stands for, written once; a world
// whose note cannot be written is saved all the same.
void noteWorld(const std::string &folder, const std::string &dataFolder) {
    std::string note = folder + "/" + worldNoteName;
    struct stat status;
    if (dataFolder.empty() || lstat(note.c_str(), &status) == 0) {
        return;
    }
    std::string text = "; The saves in this folder are of the game whose data folder is:\n"
                       "data=" +
                       dataFolder + "\n";
    std::string temporary, problem;
    if (writeTemporary(folder, text, temporary, problem) && giveName(temporary, note) != named) {
        unlink(temporary.c_str());
    }
}

// A save takes milliseconds: a temporary file older than this was left by a game
// killed while saving, and goes. A younger one may be another game's, saving now.
const time_t leftoverAge = 600;

void removeLeftovers(const std::string &folder) {
    DIR *dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    time_t now = time(nullptr);
    for (dirent *entry = readdir(dir); entry != nullptr; entry = readdir(dir)) {
        std::string path = folder + "/" + entry->d_name;
        struct stat status;
        if (strncmp(entry->d_name, ".writing.", 9) == 0 && lstat(path.c_str(), &status) == 0 &&
            S_ISREG(status.st_mode) && now - status.st_mtime > leftoverAge) {
            unlink(path.c_str());
        }
    }
    closedir(dir);
}

bool addSave(const std::string &world, const std::string &text, const std::string &dataFolder,
             std::string &name, std::string &problem) {
    std::string folder = folderOf(world);
    if (folder.empty()) {
        problem = "neither XDG_DATA_HOME nor HOME names a folder for it";
        return false;
    }
    std::string temporary;
    if (!makeFolders(folder, problem) || !writeTemporary(folder, text, temporary, problem)) {
        return false;
    }
    int64_t number = nextSaveNumber(listSaves(world));
    for (int tries = 0; tries < numberTries; tries++, number++) {
        name = numberedSaveName(number);
        Naming naming = giveName(temporary, folder + "/" + name);
        if (naming == named) {
            syncFolder(folder);
            noteWorld(folder, dataFolder);
            removeLeftovers(folder);
            return true;
        }
        if (naming == namingFailed) {
            return failWith(problem, temporary);
        }
    }
    unlink(temporary.c_str());
    problem = "no free number for a new save";
    return false;
}

bool removeSave(const std::string &world, const std::string &name) {
    std::string folder = folderOf(world);
    return !folder.empty() && unlink((folder + "/" + name).c_str()) == 0;
}

} // namespace

const SaveStore saveFiles = {placeOfSave, listSaves, readSave, addSave, removeSave};
