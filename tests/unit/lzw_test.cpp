#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "4-data/lzw.h"
#include "formats/formats.h"
#include "test_support.h"

namespace {

// Writes codewords of explicit widths, lowest bit first, as the container holds them.
struct CodeWriter {
    Bytes bytes;
    uint64_t buffer = 0;
    int bits = 0;
    void put(int code, int width) {
        buffer |= (uint64_t)code << bits;
        bits += width;
        while (bits >= 8) {
            bytes.push_back((uint8_t)buffer);
            buffer >>= 8;
            bits -= 8;
        }
    }
    Bytes container(uint32_t declared) {
        // Sized at once: growing a 4-byte vector by insert makes GCC 12 at -O3
        // warn about a copy out of bounds that never happens.
        Bytes out(4 + bytes.size());
        for (int i = 0; i < 4; i++) {
            out[i] = (uint8_t)(declared >> (8 * i));
        }
        std::copy(bytes.begin(), bytes.end(), out.begin() + 4);
        if (bits > 0) {
            out.push_back((uint8_t)buffer);
        }
        return out;
    }
};

struct LoadResult {
    int status;
    Bytes data;
    std::string printed;
    std::string warned; // standard error
};

// Writes the file and loads it.
LoadResult loadBytes(const Bytes &file) {
    ScratchDir dir;
    writeBinaryFile("packed.bin", file);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    LoadResult r;
    r.status = loadLzwFile("packed.bin", r.data);
    r.printed = testing::internal::GetCapturedStdout();
    r.warned = testing::internal::GetCapturedStderr();
    return r;
}

Bytes text(const char *s) {
    return Bytes(s, s + strlen(s));
}

// Data of mixed character: runs like map tiles, repeated patterns, and noise.
Bytes variedData(size_t n, uint32_t seed) {
    Bytes out(n);
    uint32_t x = seed;
    for (size_t i = 0; i < n; i++) {
        x = x * 1103515245u + 12345u;
        uint32_t r = x >> 16;
        switch ((i / 4096) % 3) {
        case 0:
            out[i] = (uint8_t)((i / 16) % 7 + (r % 16 == 0 ? r % 5 : 0));
            break;
        case 1:
            out[i] = (uint8_t)(r & 0xFF);
            break;
        default:
            out[i] = (uint8_t)((i * 31) % 251 ^ (r % 3));
            break;
        }
    }
    return out;
}

} // namespace

TEST(LzwContainer, DecodesTheTwoReferenceFiles) {
    LoadResult abab = loadBytes({0x04, 0, 0, 0, 0x00, 0x83, 0x08, 0x11, 0x18, 0x10});
    EXPECT_EQ(abab.status, 1);
    EXPECT_EQ(abab.data, text("ABAB"));
    EXPECT_EQ(abab.printed, "");

    // 258 is the code being defined when it is read: the string before plus its
    // own first byte.
    LoadResult aaa = loadBytes({0x03, 0, 0, 0, 0x00, 0x83, 0x08, 0x0C, 0x08});
    EXPECT_EQ(aaa.status, 1);
    EXPECT_EQ(aaa.data, text("AAA"));
}

TEST(LzwContainer, CodeBeingDefinedInLongerRuns) {
    // A, then 258 (AA), 259 (AAA), 260 (AAAA): every code is the one being defined.
    CodeWriter w;
    for (int code : std::vector<int>{256, 'A', 258, 259, 260, 257}) {
        w.put(code, 9);
    }
    LoadResult r = loadBytes(w.container(10));
    EXPECT_EQ(r.data, Bytes(10, 'A'));
    EXPECT_EQ(r.printed, "");
}

TEST(LzwContainer, WidthsGrowAt512And1024And2048AndStayAt12) {
    // Only literals: each codeword after the first adds one entry. The reader must
    // switch to 10 bits once the next free code reaches 512, to 11 at 1024, to 12
    // at 2048, and keep 12 bits past 4096.
    CodeWriter w;
    Bytes expected;
    w.put(256, 9);
    int nextFree = 258;
    int total = 1 + 254 + 512 + 1024 + 2048 + 1000; // runs past 4096 entries
    for (int i = 0; i < total; i++) {
        int width = nextFree < 512 ? 9 : nextFree < 1024 ? 10 : nextFree < 2048 ? 11 : 12;
        uint8_t literal = (uint8_t)(i * 37 + 11);
        w.put(literal, width);
        expected.push_back(literal);
        if (i > 0) {
            nextFree++;
        }
    }
    ASSERT_GT(nextFree, 4096);
    w.put(257, 12);
    LoadResult r = loadBytes(w.container((uint32_t)expected.size()));
    EXPECT_EQ(r.data, expected);
    EXPECT_EQ(r.printed, "");
}

TEST(LzwContainer, ClearMidStreamResetsWidthAndDictionary) {
    CodeWriter w;
    Bytes expected;
    w.put(256, 9);
    // 255 literals bring the width to 10.
    for (int i = 0; i < 255; i++) {
        w.put('a' + i % 3, 9);
        expected.push_back((uint8_t)('a' + i % 3));
    }
    w.put(256, 10);
    // Back at 9 bits; the literal right after the clear adds no entry, so 258 is
    // the code being defined by the next codeword: "XX".
    w.put('X', 9);
    w.put(258, 9);
    w.put(257, 9);
    for (const char *s = "XXX"; *s; s++) {
        expected.push_back((uint8_t)*s);
    }
    LoadResult r = loadBytes(w.container((uint32_t)expected.size()));
    EXPECT_EQ(r.data, expected);
    EXPECT_EQ(r.printed, "");
}

TEST(LzwContainer, ReportsTheThreeFailures) {
    ScratchDir dir;
    testing::internal::CaptureStdout();
    Bytes out = {7};
    EXPECT_EQ(loadLzwFile("missing/tiles.4", out), lzwCannotOpen);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Couldn't open 'missing/tiles.4'\n.");
    EXPECT_TRUE(out.empty());

    const char *notLzw = "The input file is not a valid LZW-compressed file.\n";
    EXPECT_EQ(loadBytes({0x04, 0, 0, 0, 0x00}).printed, notLzw);             // 5 bytes
    EXPECT_EQ(loadBytes({0x04, 0, 0, 1, 0x00, 0x83, 0x08}).printed, notLzw); // 16 MiB+
    EXPECT_EQ(loadBytes({0x04, 0, 0, 0, 0x41, 0x82, 0x08}).printed, notLzw); // no clear
    EXPECT_EQ(loadBytes({0x04, 0, 0, 0, 0x41, 0x82, 0x08}).status, lzwNotCompressed);

    // A folder or a FIFO is no data file: refused as unopenable, the FIFO without
    // blocking in its open.
    mkdir("folder.4", 0755);
    mkfifo("fifo.4", 0644);
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadLzwFile("folder.4", out), lzwCannotOpen);
    EXPECT_EQ(loadLzwFile("fifo.4", out), lzwCannotOpen);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Couldn't open 'folder.4'\n.Couldn't open 'fifo.4'\n.");

    // Third codeword 300 while the next free code is 258: the step's two bytes
    // are written, then decoding stops; the load itself succeeds.
    CodeWriter w;
    for (int code : std::vector<int>{256, 'A', 300, 'B', 257}) {
        w.put(code, 9);
    }
    LoadResult bad = loadBytes(w.container(6));
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.printed, "cW != next_free_codeword!\n");
    EXPECT_EQ(bad.data, (Bytes{'A', 'A', 'A', 0, 0, 0}));
}

TEST(LzwContainer, MalformedStreamsStayInsideTheirBuffers) {
    // More output than declared: cut at the declared size.
    CodeWriter longer;
    for (int code : std::vector<int>{256, 'A', 'B', 258, 259, 260, 257}) {
        longer.put(code, 9);
    }
    EXPECT_EQ(loadBytes(longer.container(5)).data, text("ABABB"));
    EXPECT_EQ(loadBytes(longer.container(0)).data, Bytes());

    // A stream without an end code stops when it runs out; unwritten bytes are 0.
    CodeWriter open;
    for (int code : std::vector<int>{256, 'A', 'B'}) {
        open.put(code, 9);
    }
    LoadResult ranOut = loadBytes(open.container(4));
    EXPECT_EQ(ranOut.data, (Bytes{'A', 'B', 0, 0}));
    EXPECT_EQ(ranOut.warned, "Warning: data file 'packed.bin': the stream ends without its end "
                             "code after 3 of its 4 bytes; the rest reads as zeros\n");

    // A clear followed by the end code writes nothing; a code above 257 right
    // after a clear names no entry and stops the decode.
    CodeWriter empty;
    empty.put(256, 9);
    empty.put(257, 9);
    EXPECT_EQ(loadBytes(empty.container(2)).data, Bytes(2, 0));
    CodeWriter stale;
    for (int code : std::vector<int>{256, 'A', 'B', 256, 259, 257}) {
        stale.put(code, 9);
    }
    LoadResult r = loadBytes(stale.container(3));
    EXPECT_EQ(r.data, (Bytes{'A', 'B', 0}));
    EXPECT_EQ(r.printed, "cW != next_free_codeword!\n");

    // The decoder tells how far it got: the whole output when cut at the
    // declared size, only what was decoded when the stream ends early (the open
    // stream's padding bits still decode as one literal 0).
    struct Written {
        CodeWriter &codes;
        int32_t declared;
        int result;
        int32_t written;
    };
    for (const Written &w :
         {Written{longer, 5, lzwOutputFull, 5}, Written{open, 4, lzwStreamRanOut, 3},
          Written{empty, 2, lzwReachedEnd, 0}, Written{stale, 3, lzwBadCodeword, 2}}) {
        Bytes container = w.codes.container(0);
        Bytes out(w.declared, 0);
        LzwStream stream = {container.data() + 4, (int32_t)container.size() - 4, 0};
        int32_t written = -1;
        testing::internal::CaptureStdout();
        EXPECT_EQ(lzwDecode(stream, out.data(), w.declared, &written), w.result);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(written, w.written) << w.declared;
    }
}

TEST(LzwContainer, TruncatedAndGarbageStreamsNeverOverrun) {
    Bytes raw = variedData(20000, 7);
    Bytes packed = packLzw(raw);
    for (size_t cut = 6; cut < packed.size(); cut += 97) {
        Bytes truncated(packed.begin(), packed.begin() + cut);
        LoadResult r = loadBytes(truncated);
        ASSERT_EQ(r.status, 1);
        ASSERT_EQ(r.data.size(), raw.size());
    }
    uint32_t x = 99;
    for (int round = 0; round < 200; round++) {
        Bytes garbage = {(uint8_t)(round * 13), (uint8_t)round, 0, 0, 0, 0x01};
        for (int i = 0; i < 64 + round * 5; i++) {
            x = x * 1664525u + 1013904223u;
            garbage.push_back((uint8_t)(x >> 24));
        }
        LoadResult r = loadBytes(garbage);
        ASSERT_EQ(r.status, 1);
        ASSERT_EQ(r.data.size(), (size_t)(round * 13 % 256 + 256 * round));
    }
}

TEST(LzwContainer, PackedDataRoundTripsAtEverySize) {
    // Sizes from empty to a few MB: every width, and (for the large ones) many
    // clears, with data of every kind from single runs to noise.
    std::vector<size_t> sizes = {0, 1, 2, 3, 4, 255, 256, 257, 511, 4096, 65536, 300001, 3 << 20};
    for (size_t n : sizes) {
        Bytes raw = variedData(n, (uint32_t)n);
        LoadResult r = loadBytes(packLzw(raw));
        ASSERT_EQ(r.status, 1) << n;
        ASSERT_EQ(r.printed, "") << n;
        ASSERT_EQ(r.warned, "") << n; // all read: within what the declared size can need
        ASSERT_TRUE(r.data == raw) << n;
    }
    Bytes run(200000, 'z');
    EXPECT_TRUE(loadBytes(packLzw(run)).data == run);
    Bytes noise = variedData(1 << 20, 5);
    for (size_t i = 0; i < noise.size(); i++) {
        noise[i] = (uint8_t)(noise[i] * 251 + i * 7919 / 3);
    }
    EXPECT_TRUE(loadBytes(packLzw(noise)).data == noise);
}

// A container is read as far as its declared size can need and no further: the
// most a stream can use is a 12-bit codeword for each byte with a clear code
// before each, and the end code. Streams that use the most are read whole; the
// bytes after that are left unread, with a warning.
TEST(LzwContainer, AFileIsReadOnlyAsFarAsItsDeclaredSizeCanNeed) {
    for (uint32_t declared : {0u, 1u, 100u, 65536u, (1u << 24) - 1}) {
        EXPECT_EQ(lzwFileReadLimit(declared), 4 + ((2 * (int64_t)declared + 2) * 12 + 7) / 8);
    }
    EXPECT_EQ(lzwFileReadLimit(1u << 24), 6); // no container: the header alone
    const uint32_t size = 9000;
    CodeWriter clears, literals;
    int width = 9, nextFree = 258;
    literals.put(256, 9);
    for (uint32_t i = 0; i < size; i++) {
        clears.put(256, 9);
        clears.put('a' + i % 26, 9);
        literals.put('a' + i % 26, width);
        nextFree += i > 0;
        if (nextFree >= (1 << width) && width < 12) {
            width++;
        }
    }
    clears.put(257, 9);
    literals.put(257, width);
    for (CodeWriter *w : {&clears, &literals}) {
        Bytes file = w->container(size);
        ASSERT_LE((int64_t)file.size(), lzwFileReadLimit(size));
        LoadResult whole = loadBytes(file);
        EXPECT_EQ(whole.warned, "");
        EXPECT_EQ(whole.data.size(), size);
        EXPECT_EQ(whole.data[size - 1], 'a' + (size - 1) % 26);
        file.resize((size_t)lzwFileReadLimit(size) + 1, 0);
        LoadResult padded = loadBytes(file);
        EXPECT_EQ(padded.data, whole.data);
        EXPECT_EQ(padded.warned, "Warning: data file 'packed.bin' is longer than its layout; only "
                                 "its first " +
                                     std::to_string(lzwFileReadLimit(size)) + " bytes are read\n");
    }
}
