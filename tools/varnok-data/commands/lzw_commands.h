// The pack and unpack commands: raw bytes into the LZW container and back, with
// the writer the tools share and the engine's own decoder.
#pragma once

#include <string>

// Unpacks the container `in` into the raw file `out`; 0 on success, 1 with a
// message on standard error otherwise.
int unpackFile(const std::string &in, const std::string &out);

// Packs the raw file `in` into the container `out`; 0 or 1 as above.
int packFile(const std::string &in, const std::string &out);
