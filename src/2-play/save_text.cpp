#include "2-play/save_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "2-play/clock.h"
#include "2-play/rules.h"
#include "3-audio/music.h"
#include "4-data/ini_text.h"
#include "4-data/maps.h"

namespace {

const char firstLine[] = "varnok-save 1";
const char *const formatName = "varnok-save ";

// The fields in the order they are written; each a whole number 0..highest.
struct SaveField {
    const char *key;
    int32_t SavedGame::*field;
    int32_t highest;
};

const SaveField saveFields[] = {
    {"map", &SavedGame::map, dwelling},
    {"level", &SavedGame::level, settlementLevels - 1},
    {"column", &SavedGame::column, worldSize - 1},
    {"row", &SavedGame::row, worldSize - 1},
    {"return_column", &SavedGame::returnColumn, worldSize - 1},
    {"return_row", &SavedGame::returnRow, worldSize - 1},
    {"floor", &SavedGame::floor, 255},
    {"location", &SavedGame::location, worldLocationCount - 1},
    {"clock", &SavedGame::clock, minutesPerDay - 1},
    {"music", &SavedGame::music, musicNumberCount - 1},
};
const int saveFieldCount = sizeof saveFields / sizeof saveFields[0];

// The lines of a text, cut at LF; a CR before the LF is no part of its line.
std::vector<std::string> linesOf(const std::vector<uint8_t> &bytes) {
    std::vector<std::string> lines;
    std::string text(bytes.begin(), bytes.end());
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        lines.push_back(text.substr(start, end - start));
        if (!lines.back().empty() && lines.back().back() == '\r') {
            lines.back().pop_back();
        }
        start = end + 1;
    }
    return lines;
}

// Printable ASCII and tabs only: a save is plain text, and what is refused is
// named in messages without carrying control bytes to the terminal.
bool isPlainText(const std::string &line, std::string &problem) {
    for (unsigned char c : line) {
        if (c != '\t' && (c < 32 || c > 126)) {
            char shown[8];
            snprintf(shown, sizeof shown, "0x%02x", c);
            problem = std::string("byte ") + shown + " is not text";
            return false;
        }
    }
    return true;
}

const SaveField *fieldOf(const std::string &key) {
    for (const SaveField &field : saveFields) {
        if (key == field.key) {
            return &field;
        }
    }
    return nullptr;
}

// A value in plain digits, no sign, in 0..highest.
bool readNumber(const SaveField &field, const std::string &value, int32_t &number,
                std::string &problem) {
    if (value.empty() || value.size() > 9 || strspn(value.c_str(), "0123456789") != value.size()) {
        problem = std::string(field.key) + " '" + value + "' is not a number";
        return false;
    }
    number = atoi(value.c_str());
    if (number > field.highest) {
        problem = std::string(field.key) + "=" + value + " is out of range 0-" +
                  std::to_string(field.highest);
        return false;
    }
    return true;
}

// One key=value line into game; false with the problem.
bool readLine(const std::string &line, SavedGame &game, bool given[], std::string &problem) {
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
        problem = "'" + line + "' is not key=value";
        return false;
    }
    std::string key = trimmedText(line.substr(0, equals));
    const SaveField *field = fieldOf(key);
    if (field == nullptr) {
        problem = "unknown key '" + key + "'";
        return false;
    }
    if (given[field - saveFields]) {
        problem = key + " is given twice";
        return false;
    }
    given[field - saveFields] = true;
    return readNumber(*field, trimmedText(line.substr(equals + 1)), game.*field->field, problem);
}

// A line after the first: blank, a comment (';' first), or a field.
bool readBodyLine(const std::string &line, SavedGame &game, bool given[], std::string &problem) {
    if (!isPlainText(line, problem)) {
        return false;
    }
    std::string content = trimmedText(line);
    return content.empty() || content[0] == ';' || readLine(content, game, given, problem);
}

bool checkFirstLine(const std::string &line, std::string &problem) {
    if (line == firstLine) {
        return true;
    }
    if (line.compare(0, strlen(formatName), formatName) == 0 && isPlainText(line, problem)) {
        problem =
            "'" + line + "' is a save of another version; this game reads '" + firstLine + "'";
    } else {
        problem = std::string("not a save file: the first line is not '") + firstLine + "'";
    }
    return false;
}

// The position must lie inside the map it is on.
bool checkPlace(const SavedGame &game, std::string &problem) {
    int size = game.map <= underworld ? worldSize : settlementSize;
    if (game.column < size && game.row < size) {
        return true;
    }
    problem = "column " + std::to_string(game.column) + ", row " + std::to_string(game.row) +
              " lies outside the " + std::to_string(size) + "x" + std::to_string(size) + " map";
    return false;
}

} // namespace

std::string saveText(const SavedGame &game) {
    std::string text = std::string(firstLine) + "\n";
    text += "; map: 0 overworld, 1 underworld, 2 towne, 3 castle, 4 keep, 5 dwelling\n";
    for (const SaveField &field : saveFields) {
        text += std::string(field.key) + "=" + std::to_string(game.*field.field) + "\n";
    }
    return text;
}

bool readSaveText(const std::vector<uint8_t> &bytes, SavedGame &game, std::string &problem) {
    if ((int64_t)bytes.size() > largestSaveText) {
        problem = "larger than " + std::to_string(largestSaveText) + " bytes";
        return false;
    }
    std::vector<std::string> lines = linesOf(bytes);
    if (lines.empty()) {
        problem = "the file is empty";
        return false;
    }
    if (!checkFirstLine(lines[0], problem)) {
        return false;
    }
    SavedGame read = {};
    bool given[saveFieldCount] = {};
    for (size_t i = 1; i < lines.size(); i++) {
        std::string why;
        if (!readBodyLine(lines[i], read, given, why)) {
            problem = "line " + std::to_string(i + 1) + ": " + why;
            return false;
        }
    }
    for (int i = 0; i < saveFieldCount; i++) {
        if (!given[i]) {
            problem = std::string("'") + saveFields[i].key + "' is missing";
            return false;
        }
    }
    if (!checkPlace(read, problem)) {
        return false;
    }
    game = read;
    return true;
}
