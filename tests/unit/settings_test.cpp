#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "data/paths.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

std::vector<std::pair<std::string, std::string>> pairs;

void recordPair(const char *key, const char *value) {
    pairs.emplace_back(key, value);
}

std::vector<std::pair<std::string, std::string>> parse(const std::string &text) {
    pairs.clear();
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    parseIniText(buffer.data(), recordPair);
    return pairs;
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

} // namespace

TEST(IniText, LineEndsAndBlankLinesReadTheSame) {
    Pairs expected = {{"a", "1"}, {"b", "2"}};
    EXPECT_EQ(parse("a=1\r\nb=2\r\n"), expected);
    EXPECT_EQ(parse("a=1\nb=2"), expected);
    EXPECT_EQ(parse("\n\na=1\n\n\r\n\nb=2\n\n"), expected);
}

TEST(IniText, CommentsOnlyInTheFirstColumn) {
    EXPECT_EQ(parse(";video=0\n  ;video=0\n"), (Pairs{{";video", "0"}}));
}

TEST(IniText, TrimsBlanksAndKeepsLaterEqualsInValue) {
    EXPECT_EQ(parse(" \tfullscreen \t= \t1\t \n"), (Pairs{{"fullscreen", "1"}}));
    EXPECT_EQ(parse("directory=a=b = c\n"), (Pairs{{"directory", "a=b = c"}}));
}

TEST(IniText, SkipsLinesWithoutEqualsOrWithAnEmptySide) {
    EXPECT_EQ(parse("just words\n=value\nkey=\n  =  \nkey =  \t\nok=1"), (Pairs{{"ok", "1"}}));
}

TEST(TrimmedCopy, TrimsOnlySpacesAndTabs) {
    char *a = trimmedCopy("  ab c\t ", 0, 7);
    EXPECT_STREQ(a, "ab c");
    char *b = trimmedCopy("xyz", 2, 1);
    EXPECT_STREQ(b, "");
    char *c = trimmedCopy("\r x \n", 0, 4);
    EXPECT_STREQ(c, "\r x \n");
    free(a);
    free(b);
    free(c);
}

class SettingsFile : public ::testing::Test {
  protected:
    ScratchDir dir;
    void load(const std::string &text) {
        writeTextFile("settings.ini", text);
        loadSettings();
    }
    void TearDown() override {
        freeSettingsDirectory();
    }
};

TEST_F(SettingsFile, DefaultsWithoutAFile) {
    settings.video = 0;
    settings.music = 1;
    loadSettings();
    EXPECT_EQ(settings.directory, nullptr);
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.music, 0);
    EXPECT_EQ(settings.video, 1);
    EXPECT_EQ(settings.scale, 1);
    EXPECT_EQ(settings.aspect, 0);
    EXPECT_EQ(settings.screenshots, nullptr);
}

TEST_F(SettingsFile, NumbersAreReadLikeAtoiAndOutOfRangeGivesZero) {
    const struct {
        const char *value;
        int video;
    } cases[] = {{"2", 2}, {"0", 0}, {"1", 1}, {"3", 0}, {"-1", 0},
                 {"x", 0}, {"1abc", 1}, {"+2", 2}, {"7", 0}};
    for (const auto &c : cases) {
        load(std::string("video=") + c.value + "\n");
        EXPECT_EQ(settings.video, c.video) << "value " << c.value;
    }
    load("fullscreen=1\nmusic=1\n");
    EXPECT_EQ(settings.fullscreen, 1);
    EXPECT_EQ(settings.music, 1);
    load("fullscreen=2\nmusic=9\n");
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.music, 0);
    load("scale=4\naspect=1\n");
    EXPECT_EQ(settings.scale, 4);
    EXPECT_EQ(settings.aspect, 1);
    load("scale=5\naspect=2\n");
    EXPECT_EQ(settings.scale, 0); // out of range: 0, the fit to the desktop
    EXPECT_EQ(settings.aspect, 0);
    load("scale=x\n");
    EXPECT_EQ(settings.scale, 0);
}

TEST_F(SettingsFile, KeysAreExactAndCaseSensitive) {
    load("Video=0\nvideox=0\nFullscreen=1\n  ;video=0\n");
    EXPECT_EQ(settings.video, 1);
    EXPECT_EQ(settings.fullscreen, 0);
}

TEST_F(SettingsFile, LaterLineWinsAndDirectoryKeepsEquals) {
    load("directory=first\r\ndirectory = data/a=b \r\nvideo=0\nvideo=2\n"
         "screenshots=one\nscreenshots = my shots \n");
    ASSERT_NE(settings.directory, nullptr);
    EXPECT_STREQ(settings.directory, "data/a=b");
    EXPECT_EQ(settings.video, 2);
    ASSERT_NE(settings.screenshots, nullptr);
    EXPECT_STREQ(settings.screenshots, "my shots");
    // A new load forgets the folder of the last one.
    load("video=1\n");
    EXPECT_EQ(settings.screenshots, nullptr);
}

TEST_F(SettingsFile, DataPathsJoinTheDirectoryWithOneSlash) {
    load("directory=/games/data\n");
    char *p = makeDataPath("keep.npc");
    EXPECT_STREQ(p, "/games/data/keep.npc");
    free(p);
    p = makeDataPath("music/song.ogg");
    EXPECT_STREQ(p, "/games/data/music/song.ogg");
    free(p);
    load("directory=data/\n");
    p = makeDataPath("keep.npc");
    EXPECT_STREQ(p, "data//keep.npc");
    free(p);
    // No directory: the bare name, i.e. the current directory.
    load("video=1\n");
    p = makeDataPath("keep.npc");
    EXPECT_STREQ(p, "keep.npc");
    free(p);
}

TEST_F(SettingsFile, FileSizeRewindsToTheStart) {
    writeTextFile("ten.bin", "0123456789");
    writeTextFile("empty.bin", "");
    FILE *f = fopen("ten.bin", "rb");
    fseek(f, 4, SEEK_SET);
    EXPECT_EQ(fileSize(f), 10);
    EXPECT_EQ(ftell(f), 0);
    fclose(f);
    f = fopen("empty.bin", "rb");
    EXPECT_EQ(fileSize(f), 0);
    fclose(f);
}
