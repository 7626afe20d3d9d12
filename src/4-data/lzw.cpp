#include "4-data/lzw.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "4-data/file_formats.h"
#include "4-data/load_failure.h"
#include "4-data/regular_file.h"
#include "4-data/shown_text.h"

namespace {

const int clearCode = 256;
const int endCode = 257;
const int firstFreeCode = 258;
const int dictionarySize = 10000;
const int maxWidth = 12;

// The decoder's fixed tables: entry = (prefix code, appended byte), with the
// length of its string so that a string can be written straight into place, and
// where in the output the string already stands whole: an entry is the previous
// code's string and the byte written right after it, so it can be copied from
// there rather than walked back through its prefixes.
struct Dictionary {
    uint16_t prefix[dictionarySize];
    uint8_t suffix[dictionarySize];
    uint16_t length[dictionarySize];
    int32_t start[dictionarySize];
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

// Pushes the string of a code onto the emptied expansion stack, last byte first,
// so that the top holds its first byte. Returns the number of bytes pushed.
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
    if (code < 256) {
        out[pos] = (uint8_t)code;
        return code;
    }
    // Written earlier and whole, before pos: the two never overlap.
    memcpy(out + pos, out + dictionary.start[code], len);
    return out[pos];
}

// The result of a decode, with the number of bytes it wrote when asked for.
inline int ended(int result, int32_t pos, int32_t *written) {
    if (written != nullptr) {
        *written = pos;
    }
    return result;
}

} // namespace

int lzwDecode(LzwStream &s, uint8_t *out, int32_t outSize, int32_t *written) {
    initRoots();
    int width = 9;
    int widthLimit = 512;
    int nextFree = firstFreeCode;
    int previous = -1;      // none until a literal has started the dictionary
    int32_t previousAt = 0; // where the previous code's string was written
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
            previousAt = pos;
            out[pos++] = (uint8_t)c;
            previous = c;
            continue;
        }
        int32_t at = pos;
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
        dictionary.start[nextFree] = previousAt;
        nextFree++;
        if (nextFree >= widthLimit && width < maxWidth) {
            width++;
            widthLimit *= 2;
        }
        previous = c;
        previousAt = at;
    }
}

int unpackLzw(ByteView file, std::vector<uint8_t> &out, LzwDecoding *decoding) {
    out.clear();
    if (!isLzwHeader(file.data, file.size)) {
        return lzwNotCompressed;
    }
    // Zero-filled, so that bytes a short stream never reaches read as 0.
    out.assign(viewLe32(file, 0), 0);
    int64_t streamSize = file.size - lzwSizeBytes;
    LzwStream stream = {file.data + lzwSizeBytes, (int32_t)streamSize, 0};
    LzwDecoding how = {lzwReachedEnd, 0};
    how.result = lzwDecode(stream, out.data(), (int32_t)out.size(), &how.written);
    if (decoding != nullptr) {
        *decoding = how;
    }
    return lzwLoaded;
}

const char *lzwLoadProblem(int result) {
    if (result == lzwNotCompressed) {
        return "not a valid LZW-compressed file";
    }
    return result == lzwUnreadable ? readProblem : "";
}

int64_t lzwFileReadLimit(uint32_t declared) {
    if (declared >= (1u << 24)) {
        return lzwHeaderBytes;
    }
    int64_t codewords = 2 * (int64_t)declared + 2;
    return lzwSizeBytes + (codewords * maxWidth + 7) / 8;
}

FileRefusal readLzwFile(const char *path, std::vector<uint8_t> &file, int64_t *fileSize) {
    file.clear();
    FileRefusal why = fileMissing;
    FILE *opened = openRegularFile(path, fileSize, &why);
    if (opened == nullptr) {
        return why;
    }
    why = readLzwFrom(opened, *fileSize, file);
    fclose(opened);
    return why;
}

FileRefusal readLzwFrom(FILE *opened, int64_t size, std::vector<uint8_t> &file) {
    file.clear();
    FileRefusal why = readMoreOf(opened, size < lzwSizeBytes ? size : lzwSizeBytes, file);
    if (why == fileAccepted && file.size() == (size_t)lzwSizeBytes) {
        ByteView head = makeByteView(file.data(), lzwSizeBytes);
        int64_t limit = lzwFileReadLimit(viewLe32(head, 0));
        why = readMoreOf(opened, (size < limit ? size : limit) - lzwSizeBytes, file);
    }
    return why;
}

std::string lzwShortStreamText(const LzwDecoding &decoding, size_t declared) {
    bool shortStream = decoding.result == lzwReachedEnd || decoding.result == lzwStreamRanOut;
    if (!shortStream || (size_t)decoding.written >= declared) {
        return "";
    }
    return std::string("the stream ends ") +
           (decoding.result == lzwStreamRanOut ? "without its end code " : "") + "after " +
           std::to_string(decoding.written) + " of its " + std::to_string(declared) +
           " bytes; the rest reads as zeros";
}

int loadLzwFile(const char *path, std::vector<uint8_t> &out) {
    out.clear();
    std::vector<uint8_t> file;
    int64_t fileSize = 0;
    FileRefusal why = readLzwFile(path, file, &fileSize);
    if (why == fileMissing || why == fileNotRegular) {
        printf("Couldn't open '%s'\n.", shownText(path).c_str());
        fflush(stdout);
        return lzwCannotOpen;
    }
    if (why == fileUnreadable) {
        return lzwUnreadable;
    }
    LzwDecoding decoding;
    if (unpackLzw(makeByteView(file.data(), (int64_t)file.size()), out, &decoding) != lzwLoaded) {
        printf("The input file is not a valid LZW-compressed file.\n");
        fflush(stdout);
        return lzwNotCompressed;
    }
    warnIfLong(path, fileSize, (int64_t)file.size());
    std::string shortfall = lzwShortStreamText(decoding, out.size());
    if (!shortfall.empty()) {
        fprintf(stderr, "Warning: data file '%s': %s\n", shownText(path).c_str(),
                shortfall.c_str());
        fflush(stderr);
    }
    return lzwLoaded;
}
