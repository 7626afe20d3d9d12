#include "4-data/ini_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "4-data/text_warning.h"

namespace {

// Where the pair being handled stands: the file (nullptr when the text came from
// none) and its physical line, counted from 1.
const char *pairPath = nullptr;
int pairLine = 0;

// Settings and music lists are a few hundred bytes; more than this is no such
// list, and reading it whole would take memory without bound.
const int32_t largestIniFile = 1 << 20;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Physical lines end at LF, at CR LF and at a CR alone; at is a line end.
bool endsPhysicalLine(const char *at) {
    return *at == '\n' || (*at == '\r' && at[1] != '\n');
}

void handleLine(char *line, PairHandler handlePair) {
    // Only the very first column marks a comment.
    if (line[0] == ';') {
        return;
    }
    char *equals = strchr(line, '=');
    if (equals == nullptr) {
        // A blank line carries nothing; anything else is likely a typo
        // ("fullscreen 1") that the player should hear about.
        if (line[strspn(line, " \t")] != '\0') {
            warnAtPair("no '=' in this line; it is ignored");
        }
        return;
    }
    int split = (int)(equals - line);
    int length = (int)strlen(line);
    char *key = trimmedCopy(line, 0, split - 1);
    char *value = trimmedCopy(line, split + 1, length - 1);
    // A pair with nothing on one side of '=' carries no setting.
    if (key != nullptr && value != nullptr && key[0] != '\0' && value[0] != '\0') {
        handlePair(key, value);
    }
    free(key);
    free(value);
}

// Copies size bytes of raw into text, dropping from each NUL byte to the end of
// its line. Returns the length kept.
size_t dropNulTails(const char *path, const char *raw, size_t size, char *text) {
    size_t kept = 0;
    int line = 1;
    bool dropping = false;
    for (size_t i = 0; i < size; i++) {
        char c = raw[i];
        if (c == '\0' && !dropping) {
            warnAtLine(path, line, "NUL byte; the rest of this line is ignored");
            dropping = true;
        }
        if (isLineEnd(c)) {
            dropping = false;
            if (c == '\n' || i + 1 == size || raw[i + 1] != '\n') {
                line++;
            }
        }
        if (!dropping) {
            text[kept++] = c;
        }
    }
    text[kept] = '\0';
    return kept;
}

} // namespace

char *trimmedCopy(const char *text, int first, int last) {
    while (first <= last && isBlank(text[first])) {
        first++;
    }
    while (last >= first && isBlank(text[last])) {
        last--;
    }
    int length = last >= first ? last - first + 1 : 0;
    char *copy = (char *)calloc(length + 1, 1);
    if (copy != nullptr && length > 0) {
        memcpy(copy, text + first, length);
    }
    return copy;
}

std::string trimmedText(const std::string &text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void parseIniFileText(char *text, const char *path, PairHandler handlePair) {
    pairPath = path;
    pairLine = 1;
    char *cursor = text;
    while (*cursor != '\0') {
        // A run of CR and LF characters is one cut, so blank lines vanish; the
        // physical lines are still counted for warnings.
        while (isLineEnd(*cursor)) {
            if (endsPhysicalLine(cursor)) {
                pairLine++;
            }
            cursor++;
        }
        if (*cursor == '\0') {
            break;
        }
        char *line = cursor;
        while (*cursor != '\0' && !isLineEnd(*cursor)) {
            cursor++;
        }
        char end = *cursor;
        bool lineEnds = end != '\0' && endsPhysicalLine(cursor);
        *cursor = '\0';
        handleLine(line, handlePair);
        if (end == '\0') {
            break;
        }
        if (lineEnds) {
            pairLine++;
        }
        cursor++;
    }
    pairPath = nullptr;
}

void parseIniText(char *text, PairHandler handlePair) {
    parseIniFileText(text, nullptr, handlePair);
}

int pairLineNumber() {
    return pairPath != nullptr ? pairLine : 0;
}

void warnAtPair(const char *format, ...) {
    if (pairPath == nullptr) {
        return;
    }
    char message[1024];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    warnAtLine(pairPath, pairLine, "%s", message);
}

char *readIniFile(const char *path, FileRefusal *why) {
    int64_t size = 0;
    FILE *file = openRegularFile(path, &size, why);
    if (file == nullptr) {
        return nullptr;
    }
    if (size > largestIniFile) {
        warnAboutFile(path, "larger than 1 MiB; only its first 1 MiB is read");
        size = largestIniFile;
    }
    char *raw = (char *)malloc((size_t)size + 1);
    char *text = (char *)malloc((size_t)size + 1);
    if (raw != nullptr && text != nullptr) {
        size_t got = fread(raw, 1, (size_t)size, file);
        // A byte-order mark that some editors put first is no part of the first key.
        size_t mark = got >= 3 && memcmp(raw, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
        dropNulTails(path, raw + mark, got - mark, text);
    } else {
        free(text);
        text = nullptr;
    }
    free(raw);
    fclose(file);
    if (text == nullptr) {
        *why = fileMissing;
    }
    return text;
}
