// The message console: word-wrapped text on the bottom line of the message area,
// scrolling up one line per line break, with a prompt mark and a blinking cursor.
#pragma once

#include <SDL.h>
#include <cstdint>

struct ConsoleRecord {
    uint16_t cursorColumn; // text-cell column of the next character
    uint16_t cursorRow;    // 23 whenever no print is running
    int32_t cursorFrame;   // text glyph of the cursor's current image: 5, 6, 7, 8
    int32_t cursorShown;   // 1 when the cursor may be drawn
    // The pause per line break in milliseconds (20); it paces the scrolling on a
    // display that shows each step (pauseShown).
    int32_t lineBreakPause;
};

extern ConsoleRecord Console;

const int consoleBufferSize = 1024;
const int messageLeft = 24;   // first text column of the message area
const int messageBottom = 23; // the row text is written on
const int lineEndColumn = 40; // a word that would reach this column moves on

// Prints a formatted text; continues 0 ends the exchange and draws a fresh prompt.
void consolePrint(int continues, const char *format, ...) __attribute__((format(printf, 2, 3)));

// Pads a text shorter than 16 characters with (16 - length) / 2 leading spaces.
void consoleCentred(int continues, const char *format, ...) __attribute__((format(printf, 2, 3)));

// Draws a formatted text in fixed text cells: no wrapping, cursor or update.
void printAt(int column, int row, const char *format, ...) __attribute__((format(printf, 3, 4)));

// The glyph a character is drawn with: text glyph c, or rune glyph c - 128.
SDL_Surface *glyphFor(unsigned char c);

void blitGlyph(SDL_Surface *glyph, int column, int row);
void scrollMessages();
void drawCursor();
void drawPrompt();
void initConsole();
// Puts the frame on the display now, through the present hook.
void updateWholeScreen();

// Lets tests and tools see every text consolePrint receives, after formatting.
typedef void (*ConsoleListener)(int continues, const char *text);
void setConsoleListener(ConsoleListener listener);
