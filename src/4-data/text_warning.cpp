#include "4-data/text_warning.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "4-data/shown_text.h"

namespace {

bool warningsShown = true;

// The file whose warnings are being counted, and how many of them were printed
// and held back.
std::string countedFile;
int printedCount = 0;
int heldBack = 0;

// True when a warning about file may still be printed.
bool takeTurn(const char *file) {
    if (countedFile != file) {
        finishTextWarnings();
        countedFile = file;
    }
    if (printedCount < mostWarningsPerFile) {
        printedCount++;
        return true;
    }
    heldBack++;
    return false;
}

// One fprintf per warning, so that a line is never split by other output. The
// path and any bytes quoted from the file are shown safely.
void warn(const char *file, const char *place, const char *format, va_list arguments) {
    if (!warningsShown || !takeTurn(file)) {
        return;
    }
    char message[1024];
    vsnprintf(message, sizeof message, format, arguments);
    fprintf(stderr, "%s: %s\n", shownText(place).c_str(), shownText(message).c_str());
    fflush(stderr);
}

} // namespace

void warnAtLine(const char *path, int line, const char *format, ...) {
    char place[4200];
    snprintf(place, sizeof place, "%s:%d", path, line);
    va_list arguments;
    va_start(arguments, format);
    warn(path, place, format, arguments);
    va_end(arguments);
}

void warnAboutFile(const char *path, const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    warn(path, path, format, arguments);
    va_end(arguments);
}

void showTextWarnings(bool shown) {
    warningsShown = shown;
}

void finishTextWarnings() {
    if (heldBack > 0) {
        fprintf(stderr, "%s: %d more warnings not shown\n", shownText(countedFile.c_str()).c_str(),
                heldBack);
        fflush(stderr);
    }
    countedFile.clear();
    printedCount = 0;
    heldBack = 0;
}
