// pack and unpack of varnok-data: raw files of every size through the container
// and back, with streams long and varied enough to use every codeword width and
// several dictionary clears, read back by the engine's own decoder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "commands/lzw_commands.h"
#include "demo/rng.h"
#include "formats/formats.h"
#include "test_support.h"

namespace {

// What a packed stream uses: codeword widths seen and clear codes after the
// first, walked the way the decoder walks it.
struct StreamUse {
    bool widths[13] = {};
    int clears = 0;
    bool ended = false;
};

StreamUse walkStream(const Bytes &packed) {
    StreamUse use;
    size_t bit = 0, bits = (packed.size() - 4) * 8;
    int width = 9, nextFree = 258;
    bool afterClear = false;
    while (bit + width <= bits) {
        int code = 0;
        for (int i = 0; i < width; ++i) {
            size_t p = bit + i;
            code |= ((packed[4 + p / 8] >> (p % 8)) & 1) << i;
        }
        bit += width;
        use.widths[width] = true;
        if (code == 257) {
            use.ended = true;
            break;
        }
        if (code == 256) {
            use.clears += bit > 9;
            width = 9;
            nextFree = 258;
            afterClear = true;
            continue;
        }
        if (afterClear) {
            afterClear = false;
            continue;
        }
        ++nextFree;
        if (nextFree >= (1 << width) && width < 12) {
            ++width;
        }
    }
    return use;
}

Bytes sample(size_t size, int kind) {
    Rng rng = makeRng(size * 3 + kind);
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) {
        // Kind 0: noise; 1: text-like runs; 2: one byte repeated.
        bytes[i] = kind == 0   ? (uint8_t)nextRandom(rng)
                   : kind == 1 ? (uint8_t)("the quick harbour lamp "[randomBelow(rng, 23)])
                               : 0x5A;
    }
    return bytes;
}

} // namespace

TEST(PackTool, RoundTripsFromEmptyToMegabytes) {
    ScratchDir scratch;
    const size_t sizes[] = {0, 1, 2, 3, 255, 256, 257, 511, 4096, 65536, 300000, 3000000};
    for (size_t size : sizes) {
        for (int kind = 0; kind < 3; ++kind) {
            SCOPED_TRACE(testing::Message() << size << " bytes of kind " << kind);
            Bytes raw = sample(size, kind);
            ASSERT_TRUE(writeBytes("raw", raw));
            ASSERT_EQ(packFile("raw", "packed"), 0);
            ASSERT_EQ(unpackFile("packed", "back"), 0);
            Bytes back;
            ASSERT_TRUE(readBytes("back", back));
            ASSERT_TRUE(back == raw);
        }
    }
}

TEST(PackTool, LongStreamsUseEveryWidthAndClearSeveralTimes) {
    Bytes packed = packLzw(sample(1 << 20, 0));
    StreamUse use = walkStream(packed);
    EXPECT_TRUE(use.ended);
    for (int width = 9; width <= 12; ++width) {
        EXPECT_TRUE(use.widths[width]) << width;
    }
    EXPECT_GE(use.clears, 3);
    Bytes text = packLzw(sample(1 << 20, 1));
    EXPECT_GE(walkStream(text).clears, 3);
}

TEST(PackTool, RefusesWhatCannotBePackedOrUnpacked) {
    ScratchDir scratch;
    EXPECT_EQ(packFile("no-such-file", "out"), 1);
    EXPECT_EQ(unpackFile("no-such-file", "out"), 1);
    ASSERT_TRUE(writeBytes("plain", Bytes{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(unpackFile("plain", "out"), 1); // not a container
    ASSERT_TRUE(writeBytes("huge", Bytes(1 << 24, 0)));
    EXPECT_EQ(packFile("huge", "out"), 1); // the size field holds less than 16 MiB
    // Neither waits on a FIFO.
    ASSERT_EQ(mkfifo("fifo", 0644), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(packFile("fifo", "out"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "varnok-data: cannot read 'fifo': not a regular file\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(unpackFile("fifo", "out"), 1);
    testing::internal::GetCapturedStdout();
}

// A file of 5 GiB (sparse: it takes no disk) is refused by its size before pack
// reads any of it; as a container, only what its declared size can need is read.
TEST(PackTool, HugeFilesCostWhatTheirFormatCanUse) {
    ScratchDir scratch;
    const uintmax_t huge = (uintmax_t)5 << 30;
    writeTextFile("sparse", "");
    std::filesystem::resize_file("sparse", huge);
    testing::internal::CaptureStderr();
    EXPECT_EQ(packFile("sparse", "out"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "varnok-data: 'sparse' is too large to pack (16 MiB at most)\n");
    Bytes raw = sample(50000, 1);
    ASSERT_TRUE(writeBytes("big.lzw", packLzw(raw)));
    std::filesystem::resize_file("big.lzw", huge);
    testing::internal::CaptureStderr();
    EXPECT_EQ(unpackFile("big.lzw", "out"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: data file 'big.lzw' is longer than its layout; only its first 150007 "
              "bytes are read\n");
    Bytes back;
    ASSERT_TRUE(readBytes("out", back));
    EXPECT_TRUE(back == raw);
}
