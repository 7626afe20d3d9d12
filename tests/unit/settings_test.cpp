#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <string>
#include <utility>
#include <vector>

#include "1-app/input/key_names.h"
#include "1-app/config/setting_table.h"
#include "1-app/config/settings.h"
#include "4-data/paths.h"
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
namespace fs = std::filesystem;

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
    // The per-user folder lives in the scratch directory, never the tester's own.
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", (dir.path + "/config").c_str(), 1);
    }
    // Start-up hands the directory read from the file to the data readers.
    void load(const std::string &text) {
        writeTextFile("settings.ini", text);
        loadSettingsFrom(nullptr);
        setDataDirectory(settings.directory);
    }
    // loadSettingsFrom's result, with what it wrote on standard error.
    bool loadFrom(const char *configFile, std::string &errors) {
        testing::internal::CaptureStderr();
        bool read = loadSettingsFrom(configFile);
        errors = testing::internal::GetCapturedStderr();
        return read;
    }
    std::string loadWarnings(const std::string &text) {
        writeTextFile("settings.ini", text);
        std::string errors;
        EXPECT_TRUE(loadFrom(nullptr, errors));
        return errors;
    }
    void TearDown() override {
        freeSettingTexts();
        setDataDirectory(nullptr);
        unsetenv("XDG_CONFIG_HOME");
    }
};

TEST_F(SettingsFile, DefaultsWithoutAFile) {
    startUpSettings().video = 0;
    startUpSettings().music = 1;
    loadSettingsFrom(nullptr);
    EXPECT_EQ(settings.directory, nullptr);
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.music, 0);
    EXPECT_EQ(settings.video, 1);
    EXPECT_EQ(settings.scale, 1);
    EXPECT_EQ(settings.aspect, 0);
    EXPECT_EQ(settings.screenshots, nullptr);
    // Nothing is loaded or saved unless asked; every pad is used.
    EXPECT_EQ(settings.load, 0);
    EXPECT_EQ(settings.autosave, 0);
    EXPECT_EQ(settings.joystick, 1);
    EXPECT_EQ(keysOf("key_north").count, 0);
    EXPECT_EQ(buttonOf("button_quit"), 7);
}

TEST_F(SettingsFile, NumbersAreReadLikeAtoiAndOutOfRangeGivesZero) {
    const struct {
        const char *value;
        int video;
    } cases[] = {{"2", 2},           {"0", 0},
                 {"1", 1},           {"3", 0},
                 {"-1", 0},          {"x", 0},
                 {"1abc", 1},        {"+2", 2},
                 {"7", 0},           {"4294967298", 0},
                 {"4294967297x", 0}, {"-4294967295", 0},
                 {"2147483650", 0},  {"99999999999999999999999", 0}};
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

TEST_F(SettingsFile, LookedForInTheOptionThenHereThenThePerUserFolder) {
    std::string errors;
    fs::create_directories("config/varnok");
    writeTextFile("config/varnok/settings.ini", "video=2\ndirectory=mine\n");
    ASSERT_TRUE(loadFrom(nullptr, errors));
    EXPECT_EQ(settingsOrigin.place, settingsFromUserFolder);
    EXPECT_EQ(settings.video, 2);
    // A relative directory= names a folder beside the file that says it.
    EXPECT_EQ(std::string(settings.directory), dir.path + "/config/varnok/mine");

    writeTextFile("settings.ini", "video=0\ndirectory=here\n");
    ASSERT_TRUE(loadFrom(nullptr, errors));
    EXPECT_EQ(settingsOrigin.place, settingsFromCurrent);
    EXPECT_STREQ(settingsOrigin.path, "settings.ini");
    EXPECT_STREQ(settings.directory, "here");

    fs::create_directories("elsewhere");
    writeTextFile("elsewhere/my.ini", "video=1\ndirectory=d\n");
    ASSERT_TRUE(loadFrom("elsewhere/my.ini", errors));
    EXPECT_EQ(settingsOrigin.place, settingsFromOption);
    EXPECT_STREQ(settings.directory, "elsewhere/d");
    writeTextFile("elsewhere/abs.ini", "directory=/games/x\n");
    ASSERT_TRUE(loadFrom("elsewhere/abs.ini", errors));
    EXPECT_STREQ(settings.directory, "/games/x");
    EXPECT_EQ(errors, "");

    // Without XDG_CONFIG_HOME the folder is ~/.config.
    fs::remove("settings.ini");
    const char *home = getenv("HOME");
    std::string savedHome = home != nullptr ? home : "";
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", dir.path.c_str(), 1);
    fs::create_directories(".config/varnok");
    writeTextFile(".config/varnok/settings.ini", "music=1\n");
    ASSERT_TRUE(loadFrom(nullptr, errors));
    setenv("HOME", savedHome.c_str(), 1);
    EXPECT_EQ(settingsOrigin.place, settingsFromUserFolder);
    EXPECT_EQ(settings.music, 1);
}

TEST_F(SettingsFile, AConfigFileThatCannotBeReadIsAnError) {
    std::string errors;
    EXPECT_FALSE(loadFrom("missing.ini", errors));
    EXPECT_EQ(errors, "varnok: cannot read the settings file 'missing.ini': No such file or "
                      "directory\n");
    fs::create_directories("folder.ini");
    EXPECT_FALSE(loadFrom("folder.ini", errors));
    EXPECT_EQ(errors, "varnok: cannot read the settings file 'folder.ini': not a regular file\n");
    ASSERT_EQ(mkfifo("fifo.ini", 0600), 0);
    EXPECT_FALSE(loadFrom("fifo.ini", errors)); // and does not wait for a writer
    EXPECT_EQ(errors, "varnok: cannot read the settings file 'fifo.ini': not a regular file\n");
}

TEST_F(SettingsFile, ASettingsIniThatIsNoFileIsSkippedWithAWarning) {
    fs::create_directories("config/varnok");
    writeTextFile("config/varnok/settings.ini", "video=0\n");
    std::string errors;
    fs::create_directories("settings.ini");
    ASSERT_TRUE(loadFrom(nullptr, errors));
    EXPECT_EQ(errors, "Warning: settings file 'settings.ini' is not a regular file\n");
    EXPECT_EQ(settings.video, 0) << "the per-user file is read as when none is here";
    fs::remove("settings.ini");
    ASSERT_EQ(mkfifo("settings.ini", 0600), 0);
    ASSERT_TRUE(loadFrom(nullptr, errors));
    EXPECT_EQ(errors, "Warning: settings file 'settings.ini' is not a regular file\n");
}

TEST_F(SettingsFile, UnknownKeysAndNonNumbersWarnAtTheirPhysicalLine) {
    std::string errors = loadWarnings("; comment\r\n\r\nfulscreen=1\n\n"
                                      "fullscreen=yes\rvideo=1abc\nvideo=7\nmusic = 1\n"
                                      " \t\nscale 2\n");
    EXPECT_EQ(errors, "settings.ini:3: unknown setting 'fulscreen'\n"
                      "settings.ini:5: 'yes' is not a number; fullscreen reads as 0\n"
                      "settings.ini:6: '1abc' is not a number; video reads as 1\n"
                      "settings.ini:7: video=7 is out of range 0-2; video reads as 0\n"
                      "settings.ini:10: no '=' in this line; it is ignored\n");
    // The reading itself is unchanged.
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.video, 0);
    EXPECT_EQ(settings.music, 1);
    EXPECT_EQ(loadWarnings("directory=x\nvideo= -0\nmusic=+1\n"), "");
    // A number past what the program holds does not wrap round to a small one.
    EXPECT_EQ(loadWarnings("scale=4294967298\nvideo=99999999999999999999\n"),
              "settings.ini:1: scale=4294967298 is out of range 0-4; scale reads as 0\n"
              "settings.ini:2: video=99999999999999999999 is out of range 0-2; video reads as 0\n");
    EXPECT_EQ(settings.scale, 0);
    // A button out of range keeps its default: 0 would be Enter's.
    EXPECT_EQ(loadWarnings("button_pass=32\nbutton_look=x\n"),
              "settings.ini:1: button_pass=32 is no button 0-31; button_pass keeps its default 3\n"
              "settings.ini:2: button_look=x is no button 0-31; button_look keeps its default 1\n");
    EXPECT_EQ(buttonOf("button_pass"), 3);
    // A flood of bad lines: the first 50 warnings, then their count.
    std::string flood = "key_north=" + std::string(200, ',') + "\n";
    std::string warnings = loadWarnings(flood);
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 51);
    EXPECT_NE(warnings.find("\nsettings.ini: 151 more warnings not shown\n"), std::string::npos);
}

TEST_F(SettingsFile, ABomIsSkippedAndBytesFromTheFileAreShownSafely) {
    EXPECT_EQ(loadWarnings("\xEF\xBB\xBFvideo=0\nmusic=1\n"), "");
    EXPECT_EQ(settings.video, 0);
    EXPECT_EQ(settings.music, 1);
    std::string word(100, 'w');
    std::string warnings = "settings.ini:1: unknown setting '\\x1b]0;title\\x07'\n";
    warnings +=
        "settings.ini:2: '" + word.substr(0, 60) + "\u2026' is not a number; video reads as 0\n";
    // Past the first line a byte-order mark is an ordinary character.
    warnings += "settings.ini:3: unknown setting '\xEF\xBB\xBFmusic'\n";
    EXPECT_EQ(loadWarnings("\x1b]0;title\x07=1\nvideo=" + word + "\n\xEF\xBB\xBFmusic=1\n"),
              warnings);
}

TEST_F(SettingsFile, ANulByteEndsItsLineNotTheFile) {
    std::string text = "music=1\nvideo=0";
    text += '\0';
    text += "junk=1\nfullscreen=1\n";
    text += '\0';
    EXPECT_EQ(loadWarnings(text), "settings.ini:2: NUL byte; the rest of this line is ignored\n"
                                  "settings.ini:4: NUL byte; the rest of this line is ignored\n");
    EXPECT_EQ(settings.music, 1);
    EXPECT_EQ(settings.video, 0);
    EXPECT_EQ(settings.fullscreen, 1);
}

TEST_F(SettingsFile, DataFilesAreFoundWhateverTheCaseOfTheirNames) {
    fs::create_directories("data/MUSIC");
    for (const char *name :
         {"data/DATA.OVL", "data/Tiles.16", "data/MUSIC/TOWN.OGG", "data/keep.npc", "data/KEEP.NPC",
          "data/Look2.dat", "data/LOOK2.DAT", "RUNES.CH"}) {
        writeTextFile(name, "x");
    }
    load("directory=data\n");
    const struct {
        const char *name, *path;
    } cases[] = {
        {"data.ovl", "data/DATA.OVL"},
        {"tiles.16", "data/Tiles.16"},
        {"music/town.ogg", "data/MUSIC/TOWN.OGG"},
        {"keep.npc", "data/keep.npc"},   // the exact name wins
        {"look2.dat", "data/LOOK2.DAT"}, // two other cases: the first in byte order
        {"arva.dat", "data/arva.dat"},   // nowhere: the path as asked, for the message
        {"music/gone.ogg", "data/music/gone.ogg"},
    };
    for (const auto &c : cases) {
        char *path = makeDataPath(c.name);
        EXPECT_STREQ(path, c.path) << c.name;
        free(path);
    }
    load("video=1\n");
    char *path = makeDataPath("runes.ch");
    EXPECT_STREQ(path, "RUNES.CH") << "without a directory the bare name, as found";
    free(path);
}

namespace {

std::vector<std::string> namesOf(const KeyList &list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.count; i++) {
        std::string shift = (list.modifiers[i] & 1) != 0 ? "shift+" : "";
        names.push_back(shift + listedKeyName((SDLKey)list.keys[i]));
    }
    return names;
}

using Names = std::vector<std::string>;

} // namespace

TEST_F(SettingsFile, KeyListsNameKeysAsSdlDoesInAnyCase) {
    EXPECT_EQ(loadWarnings("key_north = w, Insert ,[9],comma\nkey_save=Page Down,world 64\n"
                           "key_look=F2\nkey_look=x\n"),
              "");
    EXPECT_EQ(namesOf(keysOf("key_north")), (Names{"w", "insert", "[9]", "comma"}));
    EXPECT_EQ(namesOf(keysOf("key_save")), (Names{"page down", "world 64"}));
    EXPECT_EQ(namesOf(keysOf("key_look")), (Names{"x"})) << "a later line wins";
    EXPECT_EQ(keysOf("key_north").line, 1);
    EXPECT_EQ(keysOf("key_yes").count, 0);
}

TEST_F(SettingsFile, KeysThatCannotBeBoundAreLeftOutWithAWarning) {
    std::string errors = loadWarnings("key_north=w,nosuch,e,tab,,f5,right shift,up\n"
                                      "key_yes=e,y\n"
                                      "key_pass=1,2,3,4,5,6,7,8,9\n"
                                      "key_load=Shift+F5,alt+x,shift+f12,shift+\n");
    EXPECT_EQ(errors, "settings.ini:1: unknown key 'nosuch' in key_north\n"
                      "settings.ini:1: 'e' is one of the game's own keys and stays so; "
                      "key_north leaves it out\n"
                      "settings.ini:1: 'tab' never reaches the game; key_north leaves it out\n"
                      "settings.ini:1: an empty key name in key_north\n"
                      "settings.ini:1: 'f5' is one of the game's own keys and stays so; "
                      "key_north leaves it out\n"
                      "settings.ini:1: 'right shift' never reaches the game; key_north leaves "
                      "it out\n"
                      "settings.ini:1: 'up' is one of the game's own keys and stays so; "
                      "key_north leaves it out\n"
                      "settings.ini:2: 'y' is one of the game's own keys and stays so; "
                      "key_yes leaves it out\n"
                      "settings.ini:3: key_pass takes at most 8 keys; '9' is left out\n"
                      "settings.ini:4: 'alt+x' is one of the game's own keys and stays so; "
                      "key_load leaves it out\n"
                      "settings.ini:4: 'shift+f12' is one of the game's own keys and stays so; "
                      "key_load leaves it out\n"
                      "settings.ini:4: unknown key 'shift+' in key_load\n");
    // A key with a modifier is a key of its own: Shift+F5 may load while F5 saves.
    EXPECT_EQ(namesOf(keysOf("key_load")), (Names{"shift+f5"}));
    EXPECT_EQ(namesOf(keysOf("key_north")), (Names{"w"}));
    // 'e' is Enter's own key among the commands, not in a question.
    EXPECT_EQ(namesOf(keysOf("key_yes")), (Names{"e"}));
    EXPECT_EQ(keysOf("key_pass").count, 8);
}

TEST_F(SettingsFile, AKeyOrButtonGivenTwiceWhereBothWorkIsNamed) {
    EXPECT_EQ(loadWarnings("key_north=w\nkey_look=q,w\nkey_look=w\nkey_yes=w\n"
                           "button_look=0\nbutton_yes=6\n"),
              "settings.ini:3: 'w' is bound to both key_north and key_look; key_north has it\n"
              "settings.ini: button 0 is given to both button_enter and button_look; "
              "button_enter has it\n"
              "settings.ini: button 6 is given to both button_yes and button_keys; "
              "button_yes has it\n");
    // Walking and a question's answer never meet, nor do the defaults.
    EXPECT_EQ(loadWarnings("key_north=j\nkey_yes=j\njoystick=0\n"), "");
}

TEST_F(SettingsFile, TheCurrentFoldersFileWinsOverThePlayersOnlyForTheKeysItSets) {
    fs::create_directories("config/varnok");
    std::string mine = dir.path + "/config/varnok/settings.ini";
    writeTextFile(mine, "key_north=w\nvideo=2\ndirectory=games\nfulscreen=1\nbutton_look=0\n");
    writeTextFile("settings.ini", "video=0\nkey_west=w\n");
    std::string errors;
    ASSERT_TRUE(loadFrom(nullptr, errors));
    EXPECT_EQ(settings.video, 0);
    EXPECT_EQ(namesOf(keysOf("key_north")), (Names{"w"})) << "the player's key is kept";
    EXPECT_EQ(std::string(settings.directory), dir.path + "/config/varnok/games")
        << "beside the file that says it, not the one read last";
    EXPECT_EQ(settingFile("directory"), mine);
    EXPECT_EQ(settingFile("video"), "settings.ini");
    // Each warning names the file of its line, the player's by its full path.
    EXPECT_EQ(errors, mine + ":4: unknown setting 'fulscreen'\n" +
                          "settings.ini:2: 'w' is bound to both key_north and key_west; "
                          "key_north has it\n" +
                          mine +
                          ": button 0 is given to both button_enter and button_look; "
                          "button_enter has it\n");
    // The command line wins over both.
    setSetting(*findSetting("video"), 1, nullptr);
    EXPECT_EQ(settingFile("video"), "");
    // A directory= here wins with its own folder; --config is read instead of both.
    writeTextFile("settings.ini", "directory=here\n");
    ASSERT_TRUE(loadFrom(nullptr, errors));
    EXPECT_STREQ(settings.directory, "here");
    EXPECT_EQ(settingFile("directory"), "settings.ini");
    writeTextFile("only.ini", "music=1\n");
    ASSERT_TRUE(loadFrom("only.ini", errors));
    EXPECT_EQ(errors, "");
    EXPECT_EQ(settings.directory, nullptr);
    EXPECT_EQ(keysOf("key_north").count, 0);
}
