#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "1-app/display/video.h"
#include "3-gfx/console.h"
#include "3-gfx/graphics_store.h"
#include "synthetic_store.h"

namespace {

std::vector<std::string> printed;

void remember(int, const char *text) {
    printed.push_back(text);
}

// What the display was asked to do at each scroll step, in order.
std::vector<std::string> steps;

void recordPresent() {
    steps.push_back("present");
}

void recordPause(Uint32 milliseconds) {
    steps.push_back("pause " + std::to_string(milliseconds));
}

class ConsoleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        openTestScreen();
        buildSyntheticStore();
        printed.clear();
        setConsoleListener(remember);
        Console = {25, 23, 5, 0, 20};
        Console.lineBreakPause = 0;
        initConsole();
    }
    void TearDown() override {
        setConsoleListener(nullptr);
        Console.lineBreakPause = 20;
        freeSyntheticStore();
    }
    SDL_Surface *prompt() {
        return graphicsStore.frameGlyphs[17];
    }
};

// Columns 24-39 of the row are all colour 0.
bool messageRowBlank(int row) {
    for (int column = 24; column < 40; column++) {
        if (!cellBlank(column, row)) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST_F(ConsoleTest, StartShowsPromptAndFirstCursorImage) {
    EXPECT_TRUE(cellShows(prompt(), 24, 23));
    EXPECT_TRUE(cellShows(graphicsStore.textGlyphs[5], 25, 23));
    EXPECT_EQ(Console.cursorFrame, 6);
    EXPECT_EQ(Console.cursorShown, 1);
}

TEST_F(ConsoleTest, AnswerEndingInTwoNewlinesScrollsAndShowsCursorAtOnce) {
    // A mark left of the message area must survive the scrolling untouched.
    SDL_Rect mark = {0, 176, 384, 208};
    SDL_FillRect(screen, &mark, 77);
    consolePrint(0, "Pass\n\n");
    EXPECT_TRUE(cellShows(prompt(), 24, 21)) << "the first prompt moved up two rows";
    EXPECT_TRUE(textShown("Pass", 25, 21));
    EXPECT_TRUE(messageRowBlank(22));
    EXPECT_TRUE(cellShows(prompt(), 24, 23));
    EXPECT_TRUE(cellShows(graphicsStore.textGlyphs[6], 25, 23))
        << "cursor drawn at once, next image";
    for (int column = 26; column < 40; column++) {
        EXPECT_TRUE(cellBlank(column, 23)) << column;
    }
    EXPECT_TRUE(regionFilled(0, 176, 384, 208, 77));
    EXPECT_EQ(Console.cursorColumn, 25);
    EXPECT_EQ(Console.cursorRow, 23);
    EXPECT_EQ(Console.cursorFrame, 7);
    EXPECT_EQ(Console.cursorShown, 1);
}

// A display that shows each step is held before each scroll, then shown the
// scrolled frame; without a pause hook (the browser's page) nothing waits.
TEST_F(ConsoleTest, EachScrollStepIsHeldThenShownThroughTheHooks) {
    steps.clear();
    useScreenHooks(recordPresent, recordPause);
    Console.lineBreakPause = 20;
    consolePrint(0, "Pass\n\n");
    EXPECT_EQ(steps, (std::vector<std::string>{"pause 20", "present", "pause 20", "present"}));
    steps.clear();
    useScreenHooks(recordPresent, nullptr);
    consolePrint(0, "Pass\n");
    EXPECT_EQ(steps, (std::vector<std::string>{"present"}));
    useScreenHooks(nullptr, nullptr);
}

TEST_F(ConsoleTest, QuestionWithoutPromptLeavesCursorAfterIt) {
    consolePrint(1, "Look-");
    EXPECT_TRUE(textShown("Look-", 25, 23));
    EXPECT_TRUE(cellShows(prompt(), 24, 23)) << "no scrolling happened";
    EXPECT_TRUE(cellBlank(30, 23));
    EXPECT_EQ(Console.cursorColumn, 30);
    EXPECT_EQ(Console.cursorFrame, 6) << "no cursor drawn";
    EXPECT_EQ(Console.cursorShown, 1);
}

TEST_F(ConsoleTest, WordThatEndsInColumn39StaysOnTheLine) {
    Console.cursorColumn = 33;
    consolePrint(1, " sixsix");
    EXPECT_TRUE(textShown(" sixsix", 33, 23));
    EXPECT_EQ(Console.cursorColumn, 40);
    EXPECT_EQ(Console.cursorRow, 23);
}

TEST_F(ConsoleTest, WordThatWouldReachColumn40MovesToANewLine) {
    Console.cursorColumn = 34;
    consolePrint(1, " sixsix");
    EXPECT_TRUE(cellShows(prompt(), 24, 22)) << "the old line scrolled up";
    EXPECT_TRUE(cellBlank(34, 22)) << "the breaking space is not drawn";
    EXPECT_TRUE(textShown("sixsix", 24, 23));
    EXPECT_EQ(Console.cursorColumn, 30);
}

TEST_F(ConsoleTest, OverLongWordIsClippedThenNextSpaceBreaks) {
    consolePrint(1, "\nABCDEFGHIJKLMNOPQRST");
    EXPECT_TRUE(textShown("ABCDEFGHIJKLMNOP", 24, 23));
    EXPECT_EQ(Console.cursorColumn, 44);
    consolePrint(1, " x");
    EXPECT_TRUE(textShown("ABCDEFGHIJKLMNOP", 24, 22));
    EXPECT_TRUE(textShown("x", 24, 23));
    EXPECT_TRUE(cellBlank(25, 23));
}

TEST_F(ConsoleTest, EmptyAnswerDrawsOnlyThePromptMark) {
    consolePrint(1, "ab");
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-zero-length"
    consolePrint(0, "");
#pragma GCC diagnostic pop
    EXPECT_TRUE(textShown("ab", 25, 23)) << "the old text stays";
    EXPECT_TRUE(cellShows(prompt(), 24, 23));
    EXPECT_EQ(Console.cursorColumn, 25);
    EXPECT_EQ(Console.cursorFrame, 6) << "cursor waits for the next tick";
    drawCursor();
    EXPECT_TRUE(cellShows(graphicsStore.textGlyphs[6], 25, 23));
}

TEST_F(ConsoleTest, AlreadyFormattedTextIsNeverFormattedAgain) {
    consolePrint(1, "%s", "ab\n%d%s");
    EXPECT_TRUE(textShown("%d%s", 24, 23)) << "the rest after the line break";
    printed.clear();
    consoleCentred(1, "%s", "5%s");
    ASSERT_FALSE(printed.empty());
    EXPECT_EQ(printed.back(), "5%s");
}

TEST_F(ConsoleTest, CentredTextGetsHalfTheMissingColumnsAsSpaces) {
    struct Case {
        const char *text;
        size_t spaces;
    };
    const Case cases[] = {{"abcdefghij", 3}, {"abcdefghijklmno", 0}, {"", 8}};
    for (const Case &c : cases) {
        consolePrint(1, "\n");
        printed.clear();
        consoleCentred(1, "%s", c.text);
        ASSERT_EQ(printed.size(), c.spaces + 1) << c.text;
        for (size_t k = 0; k < c.spaces; k++) {
            EXPECT_EQ(printed[k], " ");
        }
        EXPECT_EQ(printed.back(), c.text);
        EXPECT_TRUE(textShown(c.text, 24 + (int)c.spaces, 23)) << c.text;
        EXPECT_EQ(Console.cursorColumn, 24 + c.spaces + strlen(c.text));
    }
}

TEST_F(ConsoleTest, PrintAtDrawsInPlaceAndLeavesTheConsoleAlone) {
    ConsoleRecord before = Console;
    printAt(24, 2, "Time:%d    ", 5);
    EXPECT_TRUE(textShown("Time:5    ", 24, 2));
    EXPECT_TRUE(cellBlank(34, 2));
    EXPECT_EQ(Console.cursorColumn, before.cursorColumn);
    EXPECT_EQ(Console.cursorRow, before.cursorRow);
    EXPECT_EQ(Console.cursorFrame, before.cursorFrame);
    EXPECT_EQ(Console.cursorShown, before.cursorShown);
    EXPECT_TRUE(printed.empty());
    printAt(1, 1, "a\nb");
    EXPECT_TRUE(cellShows(graphicsStore.textGlyphs[10], 2, 1)) << "a newline is just a glyph here";
}

TEST_F(ConsoleTest, FormattedResultLongerThanTheBufferIsCut) {
    std::string longWord(3000, 'w');
    consolePrint(1, "%s", longWord.c_str());
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].size(), 1023u);
    EXPECT_TRUE(textShown("wwwwwwwwwwwwwww", 25, 23));
    EXPECT_EQ(Console.cursorColumn, 25 + 1023);
    printAt(24, 2, "%s", longWord.c_str()); // far past the screen's edge: clipped
    EXPECT_TRUE(textShown("wwwwwwwwwwwwwwww", 24, 2));
    printAt(4096, 0, "x"); // 16 x 4096 wraps a 16-bit coordinate to 0
    EXPECT_TRUE(cellBlank(0, 0));
}

TEST_F(ConsoleTest, HighCharactersUseTheRuneGlyphs) {
    printAt(24, 3, "\x80\xc1\xff");
    EXPECT_TRUE(cellShows(graphicsStore.runeGlyphs[0], 24, 3));
    EXPECT_TRUE(cellShows(graphicsStore.runeGlyphs[0x41], 25, 3));
    EXPECT_TRUE(cellShows(graphicsStore.runeGlyphs[127], 26, 3));
    consolePrint(1, "A\xc1");
    EXPECT_TRUE(cellShows(graphicsStore.textGlyphs[(uint8_t)'A'], 25, 23));
    EXPECT_TRUE(cellShows(graphicsStore.runeGlyphs[0x41], 26, 23));
}

TEST_F(ConsoleTest, CursorCyclesFiveToEightOnlyWhileShown) {
    const int expected[] = {6, 7, 8, 5, 6};
    for (int image : expected) {
        drawCursor();
        EXPECT_TRUE(cellShows(graphicsStore.textGlyphs[image], 25, 23)) << image;
    }
    Console.cursorShown = 0;
    fillScreen(0);
    drawCursor();
    EXPECT_TRUE(cellBlank(25, 23));
    EXPECT_EQ(Console.cursorFrame, 7);
}

TEST_F(ConsoleTest, ScrollingLosesRowElevenAndClearsRow23) {
    for (int k = 0; k < 12; k++) {
        consolePrint(1, "\n%c", 'a' + k);
    }
    EXPECT_TRUE(textShown("a", 24, 12));
    EXPECT_TRUE(textShown("l", 24, 23));
    consolePrint(1, "\n");
    EXPECT_TRUE(textShown("a", 24, 11));
    consolePrint(1, "\n");
    EXPECT_TRUE(textShown("b", 24, 11)) << "the old row 11 is gone";
    EXPECT_TRUE(messageRowBlank(23));
    EXPECT_TRUE(cellBlank(24, 10)) << "nothing scrolls above the message area";
}

TEST_F(ConsoleTest, MissingGlyphsAreSkippedNotDrawn) {
    SDL_FreeSurface(graphicsStore.textGlyphs[(uint8_t)'q']);
    graphicsStore.textGlyphs[(uint8_t)'q'] = nullptr;
    consolePrint(0, "aqa\n\n");
    EXPECT_TRUE(textShown("a", 25, 21));
    EXPECT_TRUE(cellBlank(26, 21));
    EXPECT_TRUE(textShown("a", 27, 21));
}
