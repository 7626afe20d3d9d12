// The LZW container of the compressed tile and picture files: a 4-byte declared
// size, then a stream of 9-12 bit codewords, lowest bit first, that starts with a
// clear code. Decoding works on bytes in memory; loadLzwFile reads a file for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "4-data/byte_view.h"
#include "4-data/regular_file.h"

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

// The bytes of a container file declaring `declared` bytes that a decode can use:
// the size field, then a 12-bit codeword for each byte with a clear code before
// each (more than any encoder writes) and the end code. For a declared size the
// header refuses (16 MiB or more), the header alone.
int64_t lzwFileReadLimit(uint32_t declared);

// Reads a container file, opened once and only when it is a regular file, up to
// what its declared size can use (lzwFileReadLimit). *fileSize gets the size of
// the whole file.
FileRefusal readLzwFile(const char *path, std::vector<uint8_t> &file, int64_t *fileSize);

// The same from a container file already open at its start, `size` bytes long.
FileRefusal readLzwFrom(FILE *opened, int64_t size, std::vector<uint8_t> &file);

// What a stream that gave fewer bytes than its container declares is told by,
// the same in the engine's warning and the data check's ("the stream ends after
// 10 of its 64 bytes; the rest reads as zeros"); empty when it gave them all or
// went wrong otherwise (a bad codeword, too many bytes).
std::string lzwShortStreamText(const LzwDecoding &decoding, size_t declared);

// Reads and decodes a compressed file into out (empty unless lzwLoaded), reading
// only what its declared size can use. Messages go to standard output; warnings
// (bytes past that, a stream that ends short) to standard error.
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
