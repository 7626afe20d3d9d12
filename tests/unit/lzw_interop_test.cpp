// The container reader and writer checked against giflib, an LZW codec written
// elsewhere: a 256-colour GIF's image data is the same 9-12 bit LSB-first stream
// with clear 256 and end 257.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "4-data/lzw.h"
#include "formats/formats.h"
#include "gif_codec.h"
#include "test_support.h"

namespace {

Bytes tileLikeData(size_t n, uint32_t seed) {
    Bytes out(n);
    uint32_t x = seed;
    for (size_t i = 0; i < n; i++) {
        x = x * 1103515245u + 12345u;
        uint8_t pattern = (uint8_t)(((i % 64) / 8 + (i / 512)) % 5);
        out[i] = (x >> 28) == 0 ? (uint8_t)(x >> 20) : pattern;
    }
    return out;
}

Bytes decodeWithLoader(const Bytes &container) {
    ScratchDir dir;
    writeBinaryFile("gif.lzw", container);
    testing::internal::CaptureStdout();
    Bytes out;
    loadLzwFile("gif.lzw", out);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    return out;
}

const size_t interopSizes[] = {1, 2, 300, 5000, 65535, 65536 * 3, 2 * 1024 * 1024};

} // namespace

TEST(LzwInterop, LoaderReadsStreamsGiflibWrote) {
    for (size_t n : interopSizes) {
        Bytes raw = tileLikeData(n, (uint32_t)n);
        int width, height;
        ASSERT_TRUE(gifShapeFor(n, width, height));
        GifBytes stream = gifCodeStream(encodeGif(raw, width, height));
        ASSERT_FALSE(stream.empty()) << n;
        Bytes container(4 + stream.size());
        for (int i = 0; i < 3; i++) {
            container[i] = (uint8_t)(n >> (8 * i));
        }
        std::copy(stream.begin(), stream.end(), container.begin() + 4);
        ASSERT_TRUE(decodeWithLoader(container) == raw) << n;
    }
}

TEST(LzwInterop, GiflibReadsStreamsPackLzwWrote) {
    for (size_t n : interopSizes) {
        Bytes raw = tileLikeData(n, (uint32_t)n * 3);
        int width, height;
        ASSERT_TRUE(gifShapeFor(n, width, height));
        Bytes container = packLzw(raw);
        GifBytes stream(container.begin() + 4, container.end());
        GifBytes decoded;
        ASSERT_TRUE(decodeGif(wrapAsGif(stream, width, height), decoded)) << n;
        ASSERT_TRUE(decoded == raw) << n;
    }
}
