#include "4-data/text_warning.h"

#include <cstdarg>
#include <cstdio>

#include "4-data/shown_text.h"

namespace {

bool warningsShown = true;

// One fprintf per warning, so that a line is never split by other output. The
// path and any bytes quoted from the file are shown safely.
void warn(const char *place, const char *format, va_list arguments) {
    if (!warningsShown) {
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
