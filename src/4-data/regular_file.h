// Opening the files the program reads: only a regular file is data. A folder,
// FIFO, socket or device in a data file's place is refused before anything opens
// it (a FIFO would block the open for ever, a folder reads as nothing), and every
// file is opened once.
#pragma once

#include <cstdint>
#include <cstdio>

#include <vector>

enum FileRefusal {
    fileAccepted = 0,
    fileMissing,    // no such file, or it cannot be opened
    fileNotRegular, // a folder, FIFO, socket or device
    fileUnreadable, // opened, but a read failed or came up short of its size
};

// Opens path for binary reading when it is a regular file, setting *size (unless
// size is nullptr) to its size in bytes. Checked before the open and again on the open file, so
// that a file swapped in between is refused too. nullptr with *why set otherwise.
FILE *openRegularFile(const char *path, int64_t *size, FileRefusal *why);

// The second half of such an open, for a descriptor opened (non-blocking) some
// other way: the open file when fd is a regular file, else nullptr with *why set
// and fd closed. fd < 0 is a file that could not be opened.
FILE *regularFileOf(int fd, int64_t *size, FileRefusal *why);

// Reads the regular file at path into bytes: the whole file, or only its first
// `limit` bytes when it is longer (what a format can use at most). The file is
// opened once; bytes is empty unless the result is fileAccepted. *fileSize (when
// given) gets the size of the whole file, so that a caller can tell what it left.
FileRefusal readRegularFile(const char *path, int64_t limit, std::vector<uint8_t> &bytes,
                            int64_t *fileSize = nullptr);

// Appends the next `count` bytes of an open file to bytes; fileUnreadable when a
// read fails or comes up short.
FileRefusal readMoreOf(FILE *file, int64_t count, std::vector<uint8_t> &bytes);

// One line on standard error for an optional file that is there but is no regular
// file ("data file", "music file"); the program goes on as if it were missing.
void warnNotRegularFile(const char *kind, const char *path);

// One line on standard error for a data file longer than its format can use,
// of which only the first `used` bytes were read.
void warnIfLong(const char *path, int64_t fileSize, int64_t used);
