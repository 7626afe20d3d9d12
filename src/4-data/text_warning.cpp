#include "4-data/text_warning.h"

#include <cstdarg>
#include <cstdio>

namespace {

bool warningsShown = true;

// One fprintf per warning, so that a line is never split by other output.
void warn(const char *place, const char *format, va_list arguments) {
    if (!warningsShown) {
        return;
    }
    char message[1024];
    vsnprintf(message, sizeof message, format, arguments);
    fprintf(stderr, "%s: %s\n", place, message);
    fflush(stderr);
}

} // namespace

void warnAtLine(const char *path, int line, const char *format, ...) {
    char place[4200];
    snprintf(place, sizeof place, "%s:%d", path, line);
    va_list arguments;
    va_start(arguments, format);
    warn(place, format, arguments);
    va_end(arguments);
}

void warnAboutFile(const char *path, const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    warn(path, format, arguments);
    va_end(arguments);
}

void showTextWarnings(bool shown) {
    warningsShown = shown;
}
