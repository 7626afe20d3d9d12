// Decoding speed of the LZW container reader, against giflib decoding the very
// same codeword stream wrapped as a 256-colour GIF. Reports output MB/s.
#include <benchmark/benchmark.h>

#include <cstring>
#include <gif_lib.h>
#include <map>
#include <vector>

#include "data/lzw.h"
#include "formats/formats.h"

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

void putLe16(Bytes &out, int v) {
    out.push_back((uint8_t)(v & 0xFF));
    out.push_back((uint8_t)(v >> 8));
}

Bytes wrapAsGif(const uint8_t *stream, size_t size, int width, int height) {
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    putLe16(out, width);
    putLe16(out, height);
    out.insert(out.end(), {0xF7, 0, 0});
    for (int i = 0; i < 256; i++) {
        out.insert(out.end(), {(uint8_t)i, (uint8_t)i, (uint8_t)i});
    }
    out.push_back(0x2C);
    putLe16(out, 0);
    putLe16(out, 0);
    putLe16(out, width);
    putLe16(out, height);
    out.insert(out.end(), {0, 8});
    for (size_t at = 0; at < size; at += 255) {
        size_t n = size - at < 255 ? size - at : 255;
        out.push_back((uint8_t)n);
        out.insert(out.end(), stream + at, stream + at + n);
    }
    out.insert(out.end(), {0, 0x3B});
    return out;
}

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
    f->gif = wrapAsGif(f->container.data() + 4, f->container.size() - 4, f->width, f->height);
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

struct MemoryInput {
    const Bytes *bytes;
    size_t at;
};

int readFromMemory(GifFileType *gif, GifByteType *into, int n) {
    MemoryInput *in = (MemoryInput *)gif->UserData;
    size_t left = in->bytes->size() - in->at;
    size_t take = (size_t)n < left ? (size_t)n : left;
    memcpy(into, in->bytes->data() + in->at, take);
    in->at += take;
    return (int)take;
}

bool giflibDecode(const Bytes &gif, Bytes &out) {
    MemoryInput in = {&gif, 0};
    int error = 0;
    GifFileType *file = DGifOpen(&in, readFromMemory, &error);
    if (file == nullptr) {
        return false;
    }
    GifRecordType type;
    bool ok = DGifGetRecordType(file, &type) == GIF_OK && type == IMAGE_DESC_RECORD_TYPE &&
              DGifGetImageDesc(file) == GIF_OK &&
              DGifGetLine(file, out.data(), (int)out.size()) == GIF_OK;
    DGifCloseFile(file, &error);
    return ok;
}

void decodeWithGiflib(benchmark::State &state) {
    const Fixture &f = fixture((size_t)state.range(0));
    Bytes out(f.raw.size());
    for (auto _ : state) {
        bool ok = giflibDecode(f.gif, out);
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
