#include "3-gfx/console.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "3-gfx/blit.h"
#include "3-gfx/graphics_store.h"
#include "3-gfx/screen.h"

ConsoleRecord Console = {25, 23, 5, 0, 20};

namespace {

const int cellSize = 16;
const int textColumns = 40;
const int textRows = 25;
const int promptGlyph = 17;
const int firstCursorGlyph = 5;
const int lastCursorGlyph = 8;

ConsoleListener listener = nullptr;

bool endsWord(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\0';
}

// Length of the word that follows position i.
int restOfWord(const char *text, int i) {
    int n = 0;
    while (!endsWord(text[i + 1 + n])) {
        n++;
    }
    return n;
}

void lineBreak() {
    Console.cursorRow++;
    Console.cursorColumn = messageLeft;
    if (Console.cursorRow > messageBottom) {
        pauseShown((Uint32)Console.lineBreakPause);
        scrollMessages();
        updateWholeScreen();
        Console.cursorRow = messageBottom;
    }
}

void drawPromptMark() {
    if (graphicsStore.frameGlyphs != nullptr && graphicsStore.frameGlyphCount > promptGlyph) {
        blitGlyph(graphicsStore.frameGlyphs[promptGlyph], messageLeft, messageBottom);
    }
}

// Draws the cursor's current image and moves on to the next one.
void stepCursor() {
    if (graphicsStore.textGlyphs != nullptr &&
        graphicsStore.textGlyphCount > (uint32_t)Console.cursorFrame) {
        blitGlyph(graphicsStore.textGlyphs[Console.cursorFrame], Console.cursorColumn,
                  Console.cursorRow);
    }
    Console.cursorFrame++;
    if (Console.cursorFrame > lastCursorGlyph) {
        Console.cursorFrame = firstCursorGlyph;
    }
}

// The formatting step the three print functions share: the text cut to the
// console buffer.
struct FormattedText {
    char text[consoleBufferSize];
};

FormattedText formatText(const char *format, va_list args) {
    FormattedText out;
    vsnprintf(out.text, sizeof out.text, format, args);
    return out;
}

void printFormatted(int continues, const char *text) {
    if (listener != nullptr) {
        listener(continues, text);
    }
    Console.cursorShown = 0;
    bool brokeLine = false;
    int length = (int)strlen(text);
    for (int i = 0; i < length; i++) {
        char c = text[i];
        int n = restOfWord(text, i);
        if (c == '\n' || (c == ' ' && Console.cursorColumn + n >= lineEndColumn)) {
            lineBreak();
            brokeLine = true;
            continue;
        }
        blitGlyph(glyphFor((unsigned char)c), Console.cursorColumn, Console.cursorRow);
        Console.cursorColumn++;
    }
    if (continues == 0) {
        Console.cursorColumn = messageLeft + 1;
        drawPromptMark();
        if (brokeLine) {
            stepCursor();
        }
    }
    Console.cursorShown = 1;
}

} // namespace

SDL_Surface *glyphFor(unsigned char c) {
    if (c < 128) {
        return (graphicsStore.textGlyphs != nullptr && c < graphicsStore.textGlyphCount)
                   ? graphicsStore.textGlyphs[c]
                   : nullptr;
    }
    unsigned rune = c - 128;
    return (graphicsStore.runeGlyphs != nullptr && rune < graphicsStore.runeGlyphCount)
               ? graphicsStore.runeGlyphs[rune]
               : nullptr;
}

void blitGlyph(SDL_Surface *glyph, int column, int row) {
    // A cell off the screen draws nothing; far-off cells must not reach the blit,
    // whose 16-bit coordinates would wrap round onto the screen.
    if (glyph == nullptr || screen == nullptr || column < 0 || column >= textColumns || row < 0 ||
        row >= textRows) {
        return;
    }
    SDL_Rect source = {0, 0, cellSize, cellSize};
    blitIndexed(glyph, &source, screen, column * cellSize, row * cellSize);
}

void consolePrint(int continues, const char *format, ...) {
    va_list args;
    va_start(args, format);
    FormattedText formatted = formatText(format, args);
    va_end(args);
    printFormatted(continues, formatted.text);
}

void consoleCentred(int continues, const char *format, ...) {
    va_list args;
    va_start(args, format);
    FormattedText formatted = formatText(format, args);
    va_end(args);
    const char *text = formatted.text;
    int length = (int)strlen(text);
    if (length < 16) {
        for (int i = 0; i < (16 - length) / 2; i++) {
            printFormatted(1, " ");
        }
    }
    // Already formatted: a percent sign in a name is drawn, not interpreted.
    printFormatted(continues, text);
}

void printAt(int column, int row, const char *format, ...) {
    va_list args;
    va_start(args, format);
    FormattedText formatted = formatText(format, args);
    va_end(args);
    const char *text = formatted.text;
    for (int i = 0; text[i] != '\0'; i++) {
        blitGlyph(glyphFor((unsigned char)text[i]), column + i, row);
    }
}

void scrollMessages() {
    if (screen == nullptr) {
        return;
    }
    // Rows 12-23 of the message area move up one row; row 23 is cleared.
    SDL_Rect source = {384, 192, 256, 192};
    SDL_Rect target = {384, 176, 0, 0};
    SDL_UpperBlit(screen, &source, screen, &target);
    SDL_Rect bottom = {384, 368, 256, 16};
    SDL_FillRect(screen, &bottom, 0);
}

void drawCursor() {
    if (Console.cursorShown > 0) {
        stepCursor();
    }
}

void drawPrompt() {
    drawPromptMark();
    drawCursor();
}

void initConsole() {
    Console.cursorColumn = messageLeft + 1;
    Console.cursorRow = messageBottom;
    Console.cursorShown = 1;
    drawPrompt();
}

void updateWholeScreen() {
    presentNow();
}

void setConsoleListener(ConsoleListener l) {
    listener = l;
}
