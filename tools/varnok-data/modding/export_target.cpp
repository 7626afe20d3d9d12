#include "export_target.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "4-data/digest.h"
#include "world_folder.h"

namespace fs = std::filesystem;

const char manifestPiece[] = "export-manifest.txt";

namespace {

const char manifestHeader[] =
    "varnok-data export manifest: size, digest and path of each file export wrote here";
// Far more than the manifest of any world's export; a larger file is not one.
const long long manifestLimit = 16 << 20;

struct FolderEntry {
    std::string path; // below the folder, '/' between parts
    bool folder;
    bool file; // a regular file; neither: a link, a pipe, a device
    long long size;
};

struct ManifestLine {
    long long size;
    uint64_t digest;
};
typedef std::map<std::string, ManifestLine> Manifest;

// Every entry under `folder`, links not followed.
bool listFolder(const std::string &folder, const std::string &prefix,
                std::vector<FolderEntry> &entries) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        struct stat info;
        std::string path = prefix + it->path().filename().string();
        if (lstat(it->path().c_str(), &info) != 0) {
            return false;
        }
        entries.push_back(
            {path, S_ISDIR(info.st_mode), S_ISREG(info.st_mode), (long long)info.st_size});
        if (S_ISDIR(info.st_mode) && !listFolder(it->path().string(), path + "/", entries)) {
            return false;
        }
    }
    return !error;
}

// A regular file opened for reading without following a link or waiting on a
// pipe; -1 for anything else.
int openRegular(const std::string &path) {
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat info;
    if (fd >= 0 && (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        close(fd);
        return -1;
    }
    return fd;
}

// The digest of a file's bytes: enough to tell an edited piece from the one
// export wrote.
bool fileDigest(const std::string &path, uint64_t &digest) {
    int fd = openRegular(path);
    digest = digestStart;
    uint8_t block[65536];
    ssize_t got = -1;
    while (fd >= 0 && (got = read(fd, block, sizeof block)) > 0) {
        digest = addToDigest(digest, block, (size_t)got);
    }
    if (fd >= 0) {
        close(fd);
    }
    return got == 0;
}

bool parseManifest(const std::string &text, Manifest &manifest) {
    size_t start = 0;
    bool header = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            return false; // export ends every line
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (header) {
            header = false;
            if (line != manifestHeader) {
                return false;
            }
            continue;
        }
        char *after = nullptr;
        errno = 0;
        long long size = strtoll(line.c_str(), &after, 10);
        if (errno != 0 || size < 0 || after == line.c_str() || *after != ' ') {
            return false;
        }
        const char *hex = after + 1;
        uint64_t digest = strtoull(hex, &after, 16);
        if (after != hex + 16 || *after != ' ' || after[1] == '\0') {
            return false;
        }
        manifest[after + 1] = {size, digest};
    }
    return !header;
}

// The manifest of `folder`; false when there is none, or none that export wrote.
bool readManifest(const std::string &folder, Manifest &manifest) {
    int fd = openRegular(folder + "/" + manifestPiece);
    if (fd < 0) {
        return false;
    }
    std::string text;
    char block[65536];
    ssize_t got;
    while ((got = read(fd, block, sizeof block)) > 0 && (long long)text.size() <= manifestLimit) {
        text.append(block, (size_t)got);
    }
    close(fd);
    return got == 0 && parseManifest(text, manifest);
}

// The path with every link resolved (the part that does not exist yet as
// written), without a trailing slash; empty when it cannot be resolved.
std::string realPath(const std::string &path) {
    std::error_code error;
    std::string real = fs::weakly_canonical(fs::absolute(path, error), error).string();
    while (!error && real.size() > 1 && real.back() == '/') {
        real.pop_back();
    }
    return error ? "" : real;
}

bool within(const std::string &inner, const std::string &outer) {
    return inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
           (outer == "/" || inner[outer.size()] == '/');
}

std::string quoted(const std::string &path) {
    return "'" + path + "'";
}

} // namespace

bool exportTargetAllowed(const std::string &directory, const std::string &out, bool replace,
                         std::string &problem) {
    std::string realDirectory = realPath(directory), realOut = realPath(out);
    struct stat info;
    std::error_code error;
    Manifest manifest;
    std::string reason;
    if (realDirectory.empty() || realOut.empty()) {
        problem = (realOut.empty() ? out : directory) + ": cannot tell where it is";
    } else if (realOut == realDirectory) {
        problem = out + ": is the world folder itself; give another folder";
    } else if (within(realOut, realDirectory)) {
        problem = out + ": is inside the world folder " + quoted(directory) +
                  "; give a folder outside it";
    } else if (within(realDirectory, realOut)) {
        problem =
            out + ": holds the world folder " + quoted(directory) + "; give a folder outside it";
    } else if (lstat(out.c_str(), &info) != 0 ||
               (S_ISDIR(info.st_mode) && fs::is_empty(out, error))) {
        return true; // a new or empty folder
    } else if (S_ISLNK(info.st_mode)) {
        // Export writes no folder through a link: the link would be replaced.
        problem = out + ": is a link; give a new or empty folder, not a link";
    } else if (!S_ISDIR(info.st_mode)) {
        problem = out + ": exists and is not a folder; give a new or empty folder";
    } else if (!readManifest(out, manifest)) {
        problem = out + ": exists and is not an export folder; give a new or empty folder";
    } else if (!replace) {
        problem = out + ": holds an earlier export; give --replace to replace it";
    } else if (!unchangedExport(out, reason)) {
        problem = out + ": " + reason + "; nothing replaced";
    } else {
        return true;
    }
    return false;
}

bool unchangedExport(const std::string &folder, std::string &reason) {
    Manifest manifest;
    std::vector<FolderEntry> entries;
    if (!readManifest(folder, manifest)) {
        reason = quoted(manifestPiece) + " was changed since the export";
        return false;
    }
    if (!listFolder(folder, "", entries)) {
        reason = "cannot be read";
        return false;
    }
    std::set<std::string> folders, seen; // every folder above a listed file
    for (const auto &line : manifest) {
        for (size_t slash = line.first.find('/'); slash != std::string::npos;
             slash = line.first.find('/', slash + 1)) {
            folders.insert(line.first.substr(0, slash));
        }
    }
    for (const FolderEntry &entry : entries) {
        auto listed = manifest.find(entry.path);
        uint64_t digest = 0;
        if (entry.path == manifestPiece || (entry.folder && folders.count(entry.path) != 0)) {
            continue;
        }
        if (entry.folder || !entry.file || listed == manifest.end()) {
            reason = quoted(entry.path) + " was not written by export";
            return false;
        }
        if (entry.size != listed->second.size || !fileDigest(folder + "/" + entry.path, digest) ||
            digest != listed->second.digest) {
            reason = quoted(entry.path) + " was changed since the export";
            return false;
        }
        seen.insert(entry.path);
    }
    for (const auto &line : manifest) {
        if (seen.count(line.first) == 0) {
            reason = quoted(line.first) + " was removed since the export";
            return false;
        }
    }
    return true;
}

bool writeManifest(const std::string &folder, std::string &problem) {
    std::vector<FolderEntry> entries;
    std::string text = std::string(manifestHeader) + "\n";
    if (!listFolder(folder, "", entries)) {
        problem = folder + ": cannot be read";
        return false;
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry &a, const FolderEntry &b) { return a.path < b.path; });
    for (const FolderEntry &entry : entries) {
        uint64_t digest = 0;
        if (!entry.file) {
            continue;
        }
        if (!fileDigest(folder + "/" + entry.path, digest)) {
            problem = folder + "/" + entry.path + ": cannot be read";
            return false;
        }
        char numbers[64];
        snprintf(numbers, sizeof numbers, "%lld %016llx ", entry.size, (unsigned long long)digest);
        text += numbers + entry.path + "\n";
    }
    return writeFileMakingFolders(folder + "/" + manifestPiece, Bytes(text.begin(), text.end()),
                                  problem);
}
