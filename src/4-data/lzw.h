// The LZW container of the compressed tile and picture files: a 4-byte declared
// size, then a stream of 9-12 bit codewords, lowest bit first, that starts with a
// clear code. Decoding works on bytes in memory; loadLzwFile reads a file for it.
#pragma once

#include <cstdint>
#include <vector>

#include "4-data/byte_view.h"

// A codeword stream and the reader's bit position in it.
struct LzwStream {
    const uint8_t *bytes;
    int32_t size;
    int64_t bitPosition;
};

// How a decode ended.
enum LzwDecodeResult {
    lzwReachedEnd = 0,   // the end code
    lzwBadCodeword = -1, // a codeword the dictionary cannot take; message printed
    lzwStreamRanOut = -2,
    lzwOutputFull = -3, // the stream asked for more bytes than declared
};

// How loading a compressed file ended.
enum LzwLoadResult {
    lzwLoaded = 1,
    lzwCannotOpen = -1,    // missing, or not a regular file
    lzwNotCompressed = -2, // no valid header
    lzwUnreadable = -3,    // a read failed or came up short
};

// How a stream decoded, for those who report it (the data check).
struct LzwDecoding {
    int result;      // an LzwDecodeResult
    int32_t written; // bytes the stream gave; the rest of the declared size is zeros
};

// Decodes the container in `file` into out: its declared size in bytes, zero
// past what the stream gives (a stream that goes wrong part-way keeps what it
// decoded). lzwLoaded, or lzwNotCompressed (out empty) when file has no valid
// header. decoding (when given) says how the stream ended.
int unpackLzw(ByteView file, std::vector<uint8_t> &out, LzwDecoding *decoding = nullptr);

// Reads and decodes a whole compressed file into out (empty unless lzwLoaded). The
// file is opened once, and only when it is a regular file. Messages go to
// standard output.
int loadLzwFile(const char *path, std::vector<uint8_t> &out);

// The problem a load failure names after loadLzwFile refused a file with result:
// empty when it could not be opened. Told from the load's own result, so that a
// path is never opened a second time.
const char *lzwLoadProblem(int result);

// Decodes the stream into out (outSize bytes) until the end code. Never writes
// past outSize, never reads past the stream, allocates nothing. *written (when
// given) gets the number of bytes decoded: fewer than outSize when the stream
// ends early, the rest of out left as it was.
int lzwDecode(LzwStream &stream, uint8_t *out, int32_t outSize, int32_t *written = nullptr);
