// Decoding speed of the LZW container reader, against giflib decoding the very
// same codeword stream wrapped as a 256-colour GIF. Reports output MB/s.
#include <benchmark/benchmark.h>

#include <map>
#include <vector>

#include "4-data/lzw.h"
#include "formats/formats.h"
#include "gif_codec.h"

namespace {

// Tile-like data: 16x16 tiles of a few colours in rows and diagonals, with noise.
Bytes tileLikeData(size_t n) {
    Bytes out(n);
    uint32_t x = 12345;
    for (size_t i = 0; i < n; i++) {
        x = x * 1103515245u + 12345u;
        size_t tile = i / 256;
        size_t row = (i / 16) % 16;
        size_t col = i % 16;
        uint8_t v = (uint8_t)((tile % 7) * 2 + ((row + col + tile) % 5 == 0 ? 1 : 0));
        if ((x >> 24) < 20) {
            v = (uint8_t)(x >> 12);
        }
        out[i] = v;
    }
    return out;
}

struct Fixture {
    Bytes raw;
    Bytes container; // 4-byte size + stream
    Bytes gif;
    int width;
    int height;
};

const Fixture &fixture(size_t n) {
    static std::map<size_t, Fixture> made;
    auto found = made.find(n);
    if (found != made.end()) {
        return found->second;
    }
    Fixture *f = &made[n];
    f->raw = tileLikeData(n);
    f->container = packLzw(f->raw);
    f->width = 32768; // n is a multiple of 32768
    f->height = (int)(n / 32768);
    f->gif = wrapAsGif(Bytes(f->container.begin() + 4, f->container.end()), f->width, f->height);
    return *f;
}

void decodeWithReader(benchmark::State &state) {
    const Fixture &f = fixture((size_t)state.range(0));
    Bytes out(f.raw.size());
    for (auto _ : state) {
        LzwStream s = {f.container.data() + 4, (int32_t)(f.container.size() - 4), 0};
        int result = lzwDecode(s, out.data(), (int32_t)out.size());
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != f.raw) {
        state.SkipWithError("decoded bytes differ");
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)f.raw.size());
}

void decodeWithGiflib(benchmark::State &state) {
    const Fixture &f = fixture((size_t)state.range(0));
    Bytes out(f.raw.size());
    for (auto _ : state) {
        bool ok = decodeGifInto(f.gif, out);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != f.raw) {
        state.SkipWithError("giflib decoded different bytes");
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)f.raw.size());
}

} // namespace

BENCHMARK(decodeWithReader)->Arg(64 << 10)->Arg(4 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(decodeWithGiflib)->Arg(64 << 10)->Arg(4 << 20)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
