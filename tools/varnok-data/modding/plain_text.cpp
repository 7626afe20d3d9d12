#include "plain_text.h"

#include <cstdio>

#include "4-data/shown_text.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string lineProblem(int line, const std::string &what) {
    return std::to_string(line) + ": " + what;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

std::string csvField(const std::string &text) {
    bool quote = !text.empty() && (isBlank(text.front()) || isBlank(text.back()));
    for (char c : text) {
        quote = quote || c == ',' || c == '"' || c == '\n' || c == '\r';
    }
    if (!quote) {
        return text;
    }
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string csvLine(const std::vector<std::string> &fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        out += (i > 0 ? "," : "") + csvField(fields[i]);
    }
    return out + "\n";
}

bool parseCsv(const std::string &text, std::vector<CsvRecord> &records, std::string &problem) {
    records.clear();
    size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int line = 1;
    while (i < text.size()) {
        CsvRecord record = {line, {}};
        std::string field;
        bool ended = false;
        while (!ended) {
            if (i < text.size() && text[i] == '"') {
                int opened = line;
                ++i;
                while (true) {
                    if (i >= text.size()) {
                        problem = lineProblem(opened, "a quoted field is never closed");
                        return false;
                    }
                    char c = text[i++];
                    if (c == '"' && i < text.size() && text[i] == '"') {
                        field += '"';
                        ++i;
                    } else if (c == '"') {
                        break;
                    } else {
                        line += c == '\n';
                        field += c;
                    }
                }
            }
            // Unquoted text, or what follows a closing quote, up to the separator.
            while (i < text.size() && text[i] != ',' && text[i] != '\n') {
                if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
                    field += text[i];
                }
                ++i;
            }
            record.fields.push_back(field);
            field.clear();
            if (record.fields.size() > mostCsvFields) {
                problem = lineProblem(record.line,
                                      "more than " + std::to_string(mostCsvFields) + " fields");
                return false;
            }
            if (i < text.size() && text[i] == ',') {
                ++i;
            } else {
                ended = true;
                if (i < text.size()) {
                    ++i; // the line end
                    ++line;
                }
            }
        }
        if (!(record.fields.size() == 1 && record.fields[0].empty())) {
            records.push_back(record);
        }
    }
    return true;
}

bool parseNumber(const std::string &text, int limit, int &value) {
    size_t i = 0, end = text.size();
    while (i < end && isBlank(text[i])) {
        ++i;
    }
    while (end > i && isBlank(text[end - 1])) {
        --end;
    }
    if (i == end || end - i > 9) {
        return false;
    }
    long v = 0;
    for (; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        v = v * 10 + (text[i] - '0');
    }
    if (v > limit) {
        return false;
    }
    value = (int)v;
    return true;
}

std::string gridText(const uint8_t *cells, int width, int height) {
    std::string out;
    out.reserve((size_t)width * height * 4);
    char number[8];
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int n = snprintf(number, sizeof number, x + 1 < width ? "%d " : "%d\n",
                             cells[(size_t)y * width + x]);
            out.append(number, n);
        }
    }
    return out;
}

namespace {

// One row of a grid into cells: every word that is no tile number is named, then
// a count that is not the width. Words past the width are counted, not read.
void readGridRow(const std::string &row, int y, int width, uint8_t *cells,
                 std::vector<std::string> &problems) {
    int x = 0;
    size_t i = 0;
    while (true) {
        while (i < row.size() && isBlank(row[i])) {
            ++i;
        }
        if (i >= row.size()) {
            break;
        }
        size_t start = i;
        while (i < row.size() && !isBlank(row[i])) {
            ++i;
        }
        int value = 0;
        std::string word = row.substr(start, i - start);
        if (x < width && !parseNumber(word, 255, value)) {
            problems.push_back(lineProblem(y + 1, "column " + std::to_string(x) + ": '" +
                                                      shownWord(word) +
                                                      "' is not a tile number 0-255"));
        } else if (x < width) {
            cells[x] = (uint8_t)value;
        }
        ++x;
    }
    if (x != width) {
        problems.push_back(
            lineProblem(y + 1, std::to_string(x) + " numbers, a row has " + std::to_string(width)));
    }
}

} // namespace

bool parseGrid(const std::string &text, int width, int height, std::vector<uint8_t> &cells,
               std::vector<std::string> &problems) {
    size_t before = problems.size();
    std::vector<std::string> lines = textLines(text);
    while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos) {
        lines.pop_back();
    }
    cells.assign((size_t)width * height, 0);
    // The rows there are, up to the map's height, are read even when their
    // number is wrong, so that one reading names every mistake.
    for (int y = 0; y < height && y < (int)lines.size(); ++y) {
        readGridRow(lines[y], y, width, &cells[(size_t)y * width], problems);
    }
    if ((int)lines.size() != height) {
        problems.push_back(lineProblem((int)lines.size(), std::to_string(lines.size()) +
                                                              " rows, the map has " +
                                                              std::to_string(height)));
    }
    return problems.size() == before;
}

std::string escapeName(const std::string &name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = name[i];
        // A blank at the end would not survive editors that trim lines.
        bool lastBlank = c == ' ' && i + 1 == name.size();
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 32 || c == 127 || lastBlank) {
            char code[8];
            snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            out += (char)c;
        }
    }
    return out;
}

bool unescapeName(const std::string &text, std::string &name) {
    name.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            name += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '\\') {
            name += '\\';
            ++i;
        } else if (i + 3 < text.size() && text[i + 1] == 'x' && hexDigit(text[i + 2]) >= 0 &&
                   hexDigit(text[i + 3]) >= 0) {
            name += (char)(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

std::vector<std::string> textLines(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        size_t cut = end > start && text[end - 1] == '\r' ? end - 1 : end;
        lines.push_back(text.substr(start, cut - start));
        start = end + 1;
    }
    return lines;
}

std::string bytesText(const Bytes &bytes) {
    return std::string(bytes.begin(), bytes.end());
}

Bytes textBytes(const std::string &text) {
    return Bytes(text.begin(), text.end());
}
