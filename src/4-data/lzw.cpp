#include "4-data/lzw.h"

#include <cstdlib>
#include <cstring>

#include "4-data/file_formats.h"
#include "4-data/paths.h"
#include "4-data/regular_file.h"

LoadedFileRecord LoadedFile = {nullptr, 0};

namespace {

const int clearCode = 256;
const int endCode = 257;
const int firstFreeCode = 258;
const int dictionarySize = 10000;
const int maxWidth = 12;

// The decoder's fixed tables: entry = (prefix code, appended byte), with the
// length of its string so that a string can be written straight into place.
struct Dictionary {
    uint16_t prefix[dictionarySize];
    uint8_t suffix[dictionarySize];
    uint16_t length[dictionarySize];
};
Dictionary dictionary;

struct ExpansionStack {
    uint8_t bytes[dictionarySize];
    int count;
};
ExpansionStack expansion;

void initRoots() {
    for (int i = 0; i < 256; i++) {
        dictionary.suffix[i] = (uint8_t)i;
        dictionary.length[i] = 1;
        dictionary.prefix[i] = 0;
    }
}

inline bool streamExhausted(const LzwStream &s) {
    return s.bitPosition >= (int64_t)s.size * 8;
}

inline int takeCodeword(LzwStream &s, int width) {
    int64_t at = s.bitPosition >> 3;
    uint32_t window;
    if (at + 3 <= s.size) {
        const uint8_t *b = s.bytes + at;
        window = b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16;
    } else {
        window = 0;
        for (int i = 0; i < 3; i++) {
            if (at + i < s.size) {
                window |= (uint32_t)s.bytes[at + i] << (8 * i);
            }
        }
    }
    int shift = (int)(s.bitPosition & 7);
    s.bitPosition += width;
    return (int)((window >> shift) & ((1u << width) - 1));
}

void reportBadCodeword() {
    printf("cW != next_free_codeword!\n");
    fflush(stdout);
}

// Writes the string of a known code at out[pos]; returns its first byte, or -1
// when it does not fit (the part that fits is written).
inline int writeString(int code, uint8_t *out, int32_t pos, int32_t outSize) {
    int len = dictionary.length[code];
    if (len > outSize - pos) {
        for (int i = expandCode(code) - 1; i >= 0 && pos < outSize; i--) {
            out[pos++] = expansion.bytes[i];
        }
        return -1;
    }
    uint8_t *p = out + pos + len - 1;
    while (code > 255) {
        *p-- = dictionary.suffix[code];
        code = dictionary.prefix[code];
    }
    *p = (uint8_t)code;
    return code;
}

// The result of a decode, with the number of bytes it wrote when asked for.
inline int ended(int result, int32_t pos, int32_t *written) {
    if (written != nullptr) {
        *written = pos;
    }
    return result;
}

} // namespace

int readCodeword(LzwStream &stream, int width) {
    if (width < 9 || width > maxWidth) {
        printf("Error: weird codeword size!\n");
        return endCode;
    }
    return takeCodeword(stream, width);
}

int expandCode(int code) {
    expansion.count = 0;
    // Every entry's prefix is a lower code, so the walk ends within the table.
    while (code > 255 && expansion.count < dictionarySize - 1) {
        expansion.bytes[expansion.count++] = dictionary.suffix[code];
        code = dictionary.prefix[code];
    }
    expansion.bytes[expansion.count++] = (uint8_t)code;
    return expansion.count;
}

int lzwDecode(LzwStream &s, uint8_t *out, int32_t outSize, int32_t *written) {
    initRoots();
    int width = 9;
    int widthLimit = 512;
    int nextFree = firstFreeCode;
    int previous = -1; // none until a literal has started the dictionary
    int32_t pos = 0;
    for (;;) {
        if (streamExhausted(s)) {
            return ended(lzwStreamRanOut, pos, written);
        }
        int c = takeCodeword(s, width);
        if (c == clearCode) {
            width = 9;
            widthLimit = 512;
            nextFree = firstFreeCode;
            previous = -1;
            continue;
        }
        if (c == endCode) {
            return ended(lzwReachedEnd, pos, written);
        }
        if (previous < 0) {
            // The codeword after a clear is a literal byte; no entry exists yet
            // that anything else could name.
            if (c > 255) {
                reportBadCodeword();
                return ended(lzwBadCodeword, pos, written);
            }
            if (pos >= outSize) {
                return ended(lzwOutputFull, pos, written);
            }
            out[pos++] = (uint8_t)c;
            previous = c;
            continue;
        }
        int first;
        if (c < nextFree) {
            first = writeString(c, out, pos, outSize);
            if (first < 0) {
                // The part that fits was written: the output is full.
                return ended(lzwOutputFull, outSize, written);
            }
            pos += dictionary.length[c];
        } else {
            // The code being defined right now: previous string plus its own first byte.
            first = writeString(previous, out, pos, outSize);
            if (first < 0) {
                // The part that fits was written: the output is full.
                return ended(lzwOutputFull, outSize, written);
            }
            pos += dictionary.length[previous];
            if (pos >= outSize) {
                return ended(lzwOutputFull, pos, written);
            }
            out[pos++] = (uint8_t)first;
            if (c != nextFree) {
                reportBadCodeword();
                return ended(lzwBadCodeword, pos, written);
            }
        }
        if (nextFree >= dictionarySize) {
            reportBadCodeword();
            return ended(lzwBadCodeword, pos, written);
        }
        dictionary.prefix[nextFree] = (uint16_t)previous;
        dictionary.suffix[nextFree] = (uint8_t)first;
        dictionary.length[nextFree] = (uint16_t)(dictionary.length[previous] + 1);
        nextFree++;
        if (nextFree >= widthLimit && width < maxWidth) {
            width++;
            widthLimit *= 2;
        }
        previous = c;
    }
}

uint32_t readLe32(FILE *file) {
    uint32_t value = 0;
    for (int i = 0; i < 4; i++) {
        int c = fgetc(file);
        value |= (uint32_t)(c == EOF ? 0 : c) << (8 * i);
    }
    return value;
}

void releaseLoadedFile() {
    free(LoadedFile.data);
    LoadedFile.data = nullptr;
}

bool isLzwFile(FILE *file) {
    uint8_t head[lzwHeaderBytes] = {};
    bool ok =
        fileSize(file) >= lzwHeaderBytes && fread(head, 1, lzwHeaderBytes, file) == lzwHeaderBytes;
    fseek(file, 0, SEEK_SET);
    return ok && isLzwHeader(head, lzwHeaderBytes);
}

int decompressLzwFile(FILE *file) {
    int32_t total = fileSize(file);
    uint32_t declared = readLe32(file);
    int32_t streamSize = total > lzwSizeBytes ? total - lzwSizeBytes : 0;
    uint8_t *stream = (uint8_t *)malloc(streamSize > 0 ? streamSize : 1);
    // Zero-filled, so that bytes a short stream never reaches read as 0.
    uint8_t *out = (uint8_t *)calloc(declared > 0 ? declared : 1, 1);
    fseek(file, lzwSizeBytes, SEEK_SET);
    if (stream == nullptr || out == nullptr ||
        fread(stream, 1, streamSize, file) != (size_t)streamSize) {
        free(stream);
        free(out);
        return lzwUnreadable;
    }
    LzwStream s = {stream, streamSize, 0};
    lzwDecode(s, out, (int32_t)declared);
    free(stream);
    LoadedFile.data = out;
    LoadedFile.size = (int32_t)declared;
    return lzwLoaded;
}

int loadLzwFile(const char *path) {
    FileRefusal why = fileMissing;
    FILE *file = openRegularFile(path, nullptr, &why);
    if (file == nullptr) {
        printf("Couldn't open '%s'\n.", path);
        fflush(stdout);
        return lzwCannotOpen;
    }
    if (!isLzwFile(file)) {
        printf("The input file is not a valid LZW-compressed file.\n");
        fflush(stdout);
        fclose(file);
        return lzwNotCompressed;
    }
    int result = decompressLzwFile(file);
    fclose(file);
    return result;
}
