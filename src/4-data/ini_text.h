// The key=value text shared by "settings.ini" and "music.ini": reading such a file
// (an ordinary file only, a NUL byte ending just its own line), cutting it into
// pairs, and where the pair being handled stands, so that handlers can warn in
// the one "<path>:<line>: ..." form.
#pragma once

#include <string>

#include "4-data/regular_file.h"

typedef void (*PairHandler)(const char *key, const char *value);

// Cuts a writable NUL-terminated text into key=value lines and calls handlePair
// once per pair in text order. The copies passed in are freed afterwards.
void parseIniText(char *text, PairHandler handlePair);

// The same for the text of the file at path: while a handler runs, warnAtPair
// names that path and the pair's physical line.
void parseIniFileText(char *text, const char *path, PairHandler handlePair);

// The physical line of the pair being handled, from 1; 0 when the text came from
// no file.
int pairLineNumber();

// A warning about the pair being handled; silent when the text came from no file.
void warnAtPair(const char *format, ...) __attribute__((format(printf, 1, 2)));

// New malloc'ed text: characters first..last of text, blanks (space, tab) trimmed.
char *trimmedCopy(const char *text, int first, int last);

// The text without the blanks (space, tab) at either end.
std::string trimmedText(const std::string &text);

// The whole file at path as one malloc'ed NUL-terminated text, or nullptr with
// the reason in why (errno tells more when it is fileMissing). A NUL byte ends
// the line it is in (with a warning); the lines after it are kept.
char *readIniFile(const char *path, FileRefusal *why);
