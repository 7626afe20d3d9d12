// Reading the files of the data directory: found in any case of their names,
// only regular files, each opened once and read only up to what its format can
// use. A file the game cannot do without that cannot be read is a load failure
// naming its path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "4-data/load_failure.h"

// The path a data file is read from and named by in messages: inside the data
// directory, in any case of its name.
std::string dataFilePath(const char *name);

// The first `limit` bytes (or all) of an essential data file, with a warning when
// it holds more (bytes its format cannot use). False, with failure
// set, when it is missing or not a regular file (cannot be opened) or when a read
// of it fails or comes up short (read error): a file read wrong must not play as
// an empty one.
bool readEssentialFile(const char *name, int64_t limit, std::vector<uint8_t> &bytes,
                       LoadFailure &failure);

// The same for a file the game can do without: false when it cannot be read,
// with a warning on standard error when it is there but is no regular file.
bool readOptionalFile(const char *name, int64_t limit, std::vector<uint8_t> &bytes);

// The bytes of the plain data file `name` (as file_formats.h names it) that its
// format can use: what the engine reads of it, and the data tool too. 0 for the
// LZW containers (tiles, pictures), which are read as far as their declared size
// can need (lzwFileReadLimit).
int64_t dataFileReadLimit(const std::string &name);
