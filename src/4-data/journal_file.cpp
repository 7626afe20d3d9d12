#include "4-data/journal_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "4-data/regular_file.h"
#include "4-data/synced_files.h"

namespace {

// Far more than the journal of any import: a few thousand names.
const int64_t largestJournal = 1 << 20;

std::string folderOf(const std::string &path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string escaped(const std::string &value) {
    std::string text;
    for (unsigned char c : value) {
        if (c < 33 || c == 127 || c == '%') {
            char hex[4];
            snprintf(hex, sizeof hex, "%%%02X", c);
            text += hex;
        } else {
            text += (char)c;
        }
    }
    return text;
}

int hexDigit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

bool unescaped(const std::string &text, std::string &value) {
    value.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = (unsigned char)text[i];
        if (c < 33 || c == 127) {
            return false;
        }
        if (c != '%') {
            value += (char)c;
            continue;
        }
        int high = i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low < 0) {
            return false;
        }
        value += (char)(high * 16 + low);
        i += 2;
    }
    return true;
}

} // namespace

bool writeJournal(const std::string &path, const std::string &kind, const Journal &lines,
                  std::string &problem) {
    std::string text = kind + "\n", fresh = path + ".new";
    for (const JournalLine &line : lines) {
        text += line.key + " " + escaped(line.value) + "\n";
    }
    if (!writeSyncedFile(fresh, text) || rename(fresh.c_str(), path.c_str()) != 0 ||
        !syncPath(folderOf(path))) {
        problem = path + ": cannot be written (" + strerror(errno) + ")";
        unlink(fresh.c_str());
        return false;
    }
    return true;
}

bool readJournal(const std::string &path, const std::string &kind, Journal &lines,
                 std::string &problem) {
    std::vector<uint8_t> bytes;
    int64_t size = 0;
    lines.clear();
    if (readRegularFile(path.c_str(), largestJournal, bytes, &size) != fileAccepted ||
        size > largestJournal) {
        problem = path + ": cannot be read as a journal";
        return false;
    }
    std::string text(bytes.begin(), bytes.end());
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        size_t space = line.find(' ');
        JournalLine read;
        bool fits = number == 1 ? line == kind
                                : end != std::string::npos && space != std::string::npos &&
                                      unescaped(line.substr(space + 1), read.value);
        if (!fits) {
            problem = path + ":" + std::to_string(number) + ": not a line of a " + kind;
            return false;
        }
        if (number > 1) {
            read.key = line.substr(0, space);
            lines.push_back(read);
        }
    }
    if (start == 0) {
        problem = path + ": empty, not a " + kind;
        return false;
    }
    return true;
}

void removeJournal(const std::string &path) {
    unlink((path + ".new").c_str());
    unlink(path.c_str());
    syncPath(folderOf(path));
}

std::vector<std::string> journalValues(const Journal &lines, const std::string &key) {
    std::vector<std::string> values;
    for (const JournalLine &line : lines) {
        if (line.key == key) {
            values.push_back(line.value);
        }
    }
    return values;
}
