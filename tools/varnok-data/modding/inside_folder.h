// Opening the files of a folder that came from someone else (an export to be
// imported) and of a world folder: only regular files, opened once, without
// waiting on a FIFO; inside a modding folder no link is followed, neither in the
// file's name nor in the folders above it, so that a shared folder cannot make
// import copy any other file of the user's (raw/look2.dat -> ~/.ssh/...).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "4-data/regular_file.h"

// Whether links inside the folder are followed: not inside a modding folder; in
// the player's own world folder, as the engine does.
enum LinkRule { followLinks, followNoLinks };

// Opens folder/relative (relative: '/'-separated parts) for binary reading when
// it is a regular file, setting *size to its size; with followNoLinks a link as
// any part is refused as not a regular file. nullptr with *why set otherwise.
FILE *openInsideFolder(const std::string &folder, const std::string &relative, LinkRule links,
                       int64_t *size, FileRefusal *why);

// True when folder/relative would open: a regular file reached through no link.
bool plainFileInside(const std::string &folder, const std::string &relative);
