// The one form of every warning about a text file the program reads (settings,
// music list): "<path>:<line>: <message>" on standard error, or "<path>: <message>"
// for the file as a whole. The path is the one that was opened.
#pragma once

// line counts physical lines from 1.
void warnAtLine(const char *path, int line, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

void warnAboutFile(const char *path, const char *format, ...) __attribute__((format(printf, 2, 3)));

// While false, these warnings are not printed (reading the settings only to list
// the keys in force, for --help).
void showTextWarnings(bool shown);
