// Files and folders put on the disk before anything depends on them, and the
// locks that mark a temporary folder as still being written. A file is synced
// before it is renamed into place and its folder after, so that a crash or a kill
// leaves the old name or the new one with all of its bytes, never a new name
// over bytes that were not yet written.
#pragma once

#include <string>

// Syncs one file or folder (no link followed); false when it cannot be opened or
// synced.
bool syncPath(const std::string &path);

// Syncs every file and folder below `folder`, then the folder itself.
bool syncTree(const std::string &folder);

// Writes `text` into a new file at path (replacing one there) and syncs it; false
// with errno set when it cannot.
bool writeSyncedFile(const std::string &path, const std::string &text);

// All of text into the open file, however many writes it takes; false with errno
// set (ENOSPC for a write that wrote nothing) and the file closed.
bool writeWhole(int fd, const std::string &text);

// Removes a folder and everything below it, following no link; what cannot be
// removed stays.
void removeTree(const std::string &folder);

// Takes this process's lock of a folder, which lasts until releaseFolder or the
// end of the process (a kill too): the mark of a temporary folder that a running
// import or export is still writing, so that no clean-up removes it. -1 when the
// folder cannot be opened, or with errno EWOULDBLOCK when another holds it.
int holdFolder(const std::string &folder);
void releaseFolder(int held);

// True when nobody holds the folder's lock (and it can be opened).
bool folderIsFree(const std::string &folder);
