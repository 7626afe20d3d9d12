// The one form of every warning about a text file the program reads (settings,
// music list): "<path>:<line>: <message>" on standard error, or "<path>: <message>"
// for the file as a whole. The path is the one that was opened. Control bytes in
// the path or the message are shown escaped (shown_text.h); a word quoted from
// the file is cut by its caller (shownWord).
#pragma once

// line counts physical lines from 1.
void warnAtLine(const char *path, int line, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

void warnAboutFile(const char *path, const char *format, ...) __attribute__((format(printf, 2, 3)));

// While false, these warnings are not printed (reading the settings only to list
// the keys in force, for --help).
void showTextWarnings(bool shown);

// At most this many warnings are printed about one file; the rest are counted,
// so that a flood of bad lines cannot fill the terminal or a log.
const int mostWarningsPerFile = 50;

// After a file has been read: "<path>: N more warnings not shown" when some were
// held back; then the next file's warnings are counted afresh.
void finishTextWarnings();
