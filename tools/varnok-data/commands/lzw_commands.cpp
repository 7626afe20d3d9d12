#include "lzw_commands.h"

#include <cstdio>
#include <cstdlib>

#include "4-data/lzw.h"
#include "formats/formats.h"

int unpackFile(const std::string &in, const std::string &out) {
    Bytes raw;
    if (loadLzwFile(in.c_str(), raw) != lzwLoaded) {
        fprintf(stderr, "varnok-data: cannot unpack '%s'\n", in.c_str());
        return 1;
    }
    if (!writeBytes(out, raw)) {
        fprintf(stderr, "varnok-data: cannot write '%s'\n", out.c_str());
        return 1;
    }
    return 0;
}

int packFile(const std::string &in, const std::string &out) {
    Bytes raw;
    if (!readBytes(in, raw)) {
        fprintf(stderr, "varnok-data: cannot read '%s'\n", in.c_str());
        return 1;
    }
    // The container's size field keeps its top byte 0: 16 MiB is the limit.
    if (raw.size() >= (1u << 24)) {
        fprintf(stderr, "varnok-data: '%s' is too large to pack (16 MiB at most)\n", in.c_str());
        return 1;
    }
    if (!writeBytes(out, packLzw(raw))) {
        fprintf(stderr, "varnok-data: cannot write '%s'\n", out.c_str());
        return 1;
    }
    return 0;
}
