#include "4-data/shown_text.h"

#include <cstdio>

namespace {

bool isContinuation(unsigned char c) {
    return c >= 0x80 && c <= 0xBF;
}

// The length of the valid UTF-8 sequence of a printable character at `at`
// (1 for a printable ASCII byte), or 0 when the byte there must be escaped.
size_t printableLength(const std::string &bytes, size_t at) {
    unsigned char c = bytes[at];
    if (c < 0x80) {
        return c >= 32 && c != 127 ? 1 : 0;
    }
    size_t length = c >= 0xC2 && c <= 0xDF   ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (length == 0 || at + length > bytes.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if (!isContinuation(bytes[at + i])) {
            return 0;
        }
    }
    unsigned char second = bytes[at + 1];
    // Overlong forms, UTF-16 surrogates, code points past U+10FFFF, and the C1
    // controls U+0080-U+009F, which some terminals obey.
    bool refused = (c == 0xC2 && second <= 0x9F) || (c == 0xE0 && second < 0xA0) ||
                   (c == 0xED && second > 0x9F) || (c == 0xF0 && second < 0x90) ||
                   (c == 0xF4 && second > 0x8F);
    return refused ? 0 : length;
}

// Appends the shown form of the character at `at`; returns the bytes it took and
// sets `width` to the characters it shows.
size_t appendShown(const std::string &bytes, size_t at, std::string &out, int &width) {
    size_t length = printableLength(bytes, at);
    if (length > 0) {
        out.append(bytes, at, length);
        width = 1;
        return length;
    }
    char escape[8];
    snprintf(escape, sizeof escape, "\\x%02x", (unsigned char)bytes[at]);
    out += escape;
    width = 4;
    return 1;
}

} // namespace

std::string shownText(const std::string &bytes) {
    std::string out;
    int width = 0;
    for (size_t at = 0; at < bytes.size();) {
        at += appendShown(bytes, at, out, width);
    }
    return out;
}

std::string shownWord(const std::string &word) {
    std::string out;
    int shown = 0, width = 0;
    for (size_t at = 0; at < word.size();) {
        std::string next;
        size_t taken = appendShown(word, at, next, width);
        if (shown + width > shownWordLength) {
            return out + "\u2026";
        }
        out += next;
        shown += width;
        at += taken;
    }
    return out;
}
