// The reader of the LZW container of the compressed tile and picture files, and
// LoadedFile, the record that hands the decoded bytes of one file to its consumer.
#pragma once

#include <cstdint>
#include <cstdio>

// The most recently loaded data file. The consumer frees `data` and empties the
// pointer before the next load; a load overwrites the record without freeing.
struct LoadedFileRecord {
    uint8_t *data;
    int32_t size;
};
extern LoadedFileRecord LoadedFile;

// Frees the decoded bytes of LoadedFile and empties the pointer.
void releaseLoadedFile();

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
    lzwUnreadable = -3,    // a read failed or came up short, or no memory for it
};

// Reads and decodes a whole compressed file into LoadedFile (LoadedFile untouched
// unless it is lzwLoaded). The file is opened once, and only when it is a regular
// file. Messages go to standard output.
int loadLzwFile(const char *path);

// True when the open file has the header of a compressed file: at least 6 bytes,
// a declared size below 16 MiB, a stream that starts with the clear code. Leaves
// the read position at the start.
bool isLzwFile(FILE *file);

// Reads the declared size and the stream of an open compressed file, decodes it
// into a new zero-filled buffer of the declared size and stores that in
// LoadedFile. 1, or lzwUnreadable when a buffer cannot be allocated or the read
// fails or comes up short of the file's size.
int decompressLzwFile(FILE *file);

// Decodes the stream into out (outSize bytes) until the end code. Never writes
// past outSize, never reads past the stream, allocates nothing. *written (when
// given) gets the number of bytes decoded: fewer than outSize when the stream
// ends early, the rest of out left as it was.
int lzwDecode(LzwStream &stream, uint8_t *out, int32_t outSize, int32_t *written = nullptr);

// The next codeword of `width` (9-12) bits at the stream's bit position, lowest
// bit first; bytes past the end of the stream read as 0.
int readCodeword(LzwStream &stream, int width);

// Pushes the string of a code onto the emptied expansion stack, last byte first,
// so that the top holds its first byte. Returns the number of bytes pushed.
int expandCode(int code);

// Four bytes at the read position as a little-endian number (missing bytes as 0).
uint32_t readLe32(FILE *file);
