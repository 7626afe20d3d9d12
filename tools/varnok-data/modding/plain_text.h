// Plain text the modding folder holds: CSV tables (quoted fields included), grids
// of tile numbers and numbered name lists, written and read back by hand. Readers
// report what they cannot take as "<line>: <what>": the CSV reader the first
// thing, the grid reader every one.
#pragma once

#include <string>
#include <vector>

#include "formats/formats.h"

// One CSV record and the line of the file it starts on.
struct CsvRecord {
    int line;
    std::vector<std::string> fields;
};

// A field as CSV writes it: quoted when it holds a comma, a quote, a line break
// or blanks at either end; quotes inside are doubled.
std::string csvField(const std::string &text);
std::string csvLine(const std::vector<std::string> &fields);

// The most fields a CSV record may have: the widest table has 7, and a line of
// millions of commas must not become millions of strings.
const size_t mostCsvFields = 16;

// Splits CSV text into records. Accepts LF and CRLF line ends, quoted fields
// across lines, a leading UTF-8 byte-order mark; skips empty lines. False with
// `problem` on a quote left open or a record of more than mostCsvFields fields.
bool parseCsv(const std::string &text, std::vector<CsvRecord> &records, std::string &problem);

// A whole number 0..limit written in decimal (blanks around it allowed).
bool parseNumber(const std::string &text, int limit, int &value);

// A grid of numbers 0-255: one row per line, numbers separated by single blanks.
std::string gridText(const uint8_t *cells, int width, int height);

// Reads a grid of exactly width x height numbers 0-255 (blanks or tabs between
// them, CRLF allowed, empty lines at the end ignored). False with a line added
// to `problems` for each word that is no tile number, each row of another width
// and a wrong number of rows, in the order of the text.
bool parseGrid(const std::string &text, int width, int height, std::vector<uint8_t> &cells,
               std::vector<std::string> &problems);

// A name as one line: bytes below 32, 127 and a blank at the end become \xHH,
// a backslash "\\".
std::string escapeName(const std::string &name);
// The reverse; false on a backslash that starts no known escape.
bool unescapeName(const std::string &text, std::string &name);

// Lines of a text file without their line ends (a last line without one counts).
std::vector<std::string> textLines(const std::string &text);

std::string bytesText(const Bytes &bytes);
Bytes textBytes(const std::string &text);
