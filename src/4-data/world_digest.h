// The digest that names a world: over the files that make its places and people
// (the table file, the two world maps, the four settlement map files and the four
// character files), not over graphics or music, so that another colour mode or new
// music is still the same world. Saves are kept per world under this name.
#pragma once

#include <string>
#include <vector>

// The files the digest is taken over, in its order.
std::vector<std::string> worldDigestFiles();

// 16 hexadecimal digits. Reads the files of the data directory each time it is
// called, each only as far as the game reads it; a file that is missing or no
// regular file counts as absent, which is part of the digest too.
std::string worldDigest();
