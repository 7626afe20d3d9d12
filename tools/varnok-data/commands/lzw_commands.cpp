#include "lzw_commands.h"

#include <cstdio>
#include <cstdlib>

#include "4-data/lzw.h"
#include "4-data/regular_file.h"
#include "4-data/shown_text.h"
#include "formats/formats.h"

namespace {

// The container's size field keeps its top byte 0: 16 MiB is the limit.
const int64_t largestPackable = (1 << 24) - 1;

// "varnok-data: <before>'<path>'<after>" on standard error; status 1.
int fail(const char *before, const std::string &path, const char *after = "") {
    fprintf(stderr, "varnok-data: %s'%s'%s\n", before, shownText(path).c_str(), after);
    return 1;
}

} // namespace

int unpackFile(const std::string &in, const std::string &out) {
    Bytes raw;
    if (loadLzwFile(in.c_str(), raw) != lzwLoaded) {
        return fail("cannot unpack ", in);
    }
    if (!writeBytes(out, raw)) {
        return fail("cannot write ", out);
    }
    return 0;
}

int packFile(const std::string &in, const std::string &out) {
    // Only a regular file, so that a FIFO cannot block the tool; its size is known
    // before anything is read.
    int64_t size = 0;
    FileRefusal why = fileMissing;
    FILE *file = openRegularFile(in.c_str(), &size, &why);
    if (file != nullptr && size > largestPackable) {
        fclose(file);
        return fail("", in, " is too large to pack (16 MiB at most)");
    }
    Bytes raw;
    why = file != nullptr ? readMoreOf(file, size, raw) : why;
    if (file != nullptr) {
        fclose(file);
    }
    if (why != fileAccepted) {
        return fail("cannot read ", in, why == fileNotRegular ? ": not a regular file" : "");
    }
    if (!writeBytes(out, packLzw(raw))) {
        return fail("cannot write ", out);
    }
    return 0;
}
