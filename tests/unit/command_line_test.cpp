// The command line as a table: each option alone and in combinations, the
// errors with their one-line messages, "--" ending the options; and the
// options put over what the settings file said.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "1-app/config/command_line.h"
#include "1-app/config/setting_table.h"
#include "1-app/config/settings.h"
#include "test_support.h"

namespace {

const int32_t notGiven = -1;

struct Parsed {
    CommandLineAction action;
    CommandLine line;
    Settings given; // what applyCommandLine puts over a record of notGiven and no texts
    std::string errors;
};

// What the line gives, as applyCommandLine puts it over a record holding notGiven
// and no texts; the texts are copied for the test and the record is set back.
Settings givenSettings(const CommandLine &line) {
    static std::string copies[2];
    freeSettingTexts();
    for (const SettingRow &row : settingTable()) {
        if (row.value.kind == numberKind) {
            *numberOf(startUpSettings(), row) = notGiven;
        }
    }
    applyCommandLine(line);
    Settings given = startUpSettings();
    char **texts[2] = {&given.directory, &given.screenshots};
    for (int i = 0; i < 2; i++) {
        if (*texts[i] != nullptr) {
            copies[i] = *texts[i];
            *texts[i] = &copies[i][0];
        }
    }
    freeSettingTexts();
    startUpSettings() = defaultSettings();
    return given;
}

// The line points into the words, kept until the next parse.
Parsed parse(std::vector<std::string> words) {
    static std::vector<std::string> kept;
    kept = words;
    kept.insert(kept.begin(), "varnok");
    std::vector<char *> argv;
    for (std::string &word : kept) {
        argv.push_back(&word[0]);
    }
    argv.push_back(nullptr);
    Parsed parsed;
    testing::internal::CaptureStderr();
    parsed.action = parseCommandLine((int)kept.size(), argv.data(), parsed.line);
    parsed.errors = testing::internal::GetCapturedStderr();
    parsed.given = givenSettings(parsed.line);
    return parsed;
}

// What print writes.
std::string printed(void (*print)(FILE *out)) {
    char *text = nullptr;
    size_t size = 0;
    FILE *out = open_memstream(&text, &size);
    print(out);
    fclose(out);
    std::string shown(text, size);
    free(text);
    return shown;
}

} // namespace

TEST(CommandLine, EachOptionSetsItsField) {
    const struct {
        std::vector<std::string> words;
        const char *data, *config;
        int fullscreen, music, video;
    } cases[] = {
        {{}, nullptr, nullptr, notGiven, notGiven, notGiven},
        {{"games/arva"}, "games/arva", nullptr, notGiven, notGiven, notGiven},
        {{"-d", "x"}, "x", nullptr, notGiven, notGiven, notGiven},
        {{"--data", "x"}, "x", nullptr, notGiven, notGiven, notGiven},
        {{"--data=x"}, "x", nullptr, notGiven, notGiven, notGiven},
        {{"-dx"}, "x", nullptr, notGiven, notGiven, notGiven},
        {{"-c", "my.ini"}, nullptr, "my.ini", notGiven, notGiven, notGiven},
        {{"--config=my.ini"}, nullptr, "my.ini", notGiven, notGiven, notGiven},
        {{"-f"}, nullptr, nullptr, 1, notGiven, notGiven},
        {{"--fullscreen"}, nullptr, nullptr, 1, notGiven, notGiven},
        {{"-f", "-w"}, nullptr, nullptr, 0, notGiven, notGiven},
        {{"--window"}, nullptr, nullptr, 0, notGiven, notGiven},
        {{"--colours", "4"}, nullptr, nullptr, notGiven, notGiven, 1},
        {{"--colours=16"}, nullptr, nullptr, notGiven, notGiven, 0},
        {{"--colors", "16"}, nullptr, nullptr, notGiven, notGiven, 0},
        {{"--music"}, nullptr, nullptr, notGiven, 1, notGiven},
        {{"--music", "--no-music"}, nullptr, nullptr, notGiven, 0, notGiven},
        // Options anywhere, short ones bundled, the data directory between them.
        {{"--music", "world", "-fw", "--colours", "16"}, "world", nullptr, 0, 1, 0},
        // After "--" every word is an argument, even one that looks like an option.
        {{"--", "--music"}, "--music", nullptr, notGiven, notGiven, notGiven},
    };
    for (const auto &c : cases) {
        Parsed p = parse(c.words);
        std::string shown = testing::PrintToString(c.words);
        EXPECT_EQ(p.action, runTheGame) << shown;
        EXPECT_EQ(p.errors, "") << shown;
        EXPECT_STREQ(p.line.dataDirectory, c.data) << shown;
        EXPECT_STREQ(p.line.configFile, c.config) << shown;
        EXPECT_EQ(p.given.fullscreen, c.fullscreen) << shown;
        EXPECT_EQ(p.given.music, c.music) << shown;
        EXPECT_EQ(p.given.video, c.video) << shown;
    }
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(parse({"--help"}).action, showHelp);
    EXPECT_EQ(parse({"-h", "--fullscreen"}).action, showHelp);
    EXPECT_EQ(parse({"--version"}).action, showVersion);
    EXPECT_EQ(parse({"a", "-V"}).action, showVersion);
    EXPECT_EQ(parse({"-V", "-h"}).action, showHelp);
}

// --load alone is the newest save; a number after it, as its own word or after
// "=", the N-th newest; a word that is no number stays the data directory.
// --saves lists the saves of the world the line names, unless help or the
// version is asked for.
TEST(CommandLine, LoadTakesAnOptionalNumberAndSavesLists) {
    const struct {
        std::vector<std::string> words;
        int load;
        const char *data;
    } cases[] = {
        {{"--load"}, 1, nullptr},
        {{"--load", "2"}, 2, nullptr},
        {{"--load=3"}, 3, nullptr},
        {{"--load", "world"}, 1, "world"},
        {{"--load", "12", "world"}, 12, "world"},
        {{"world", "--load"}, 1, "world"},
        {{"--load", "0"}, 0, nullptr},
    };
    for (const auto &c : cases) {
        Parsed p = parse(c.words);
        std::string shown = testing::PrintToString(c.words);
        EXPECT_EQ(p.action, runTheGame) << shown;
        EXPECT_EQ(p.errors, "") << shown;
        EXPECT_EQ(p.given.load, c.load) << shown;
        EXPECT_STREQ(p.line.dataDirectory, c.data) << shown;
    }
    Parsed tooFar = parse({"--load", "13"});
    EXPECT_EQ(tooFar.action, badCommandLine);
    EXPECT_EQ(tooFar.errors, "varnok: --load takes 0 to 12, not '13'\nTry 'varnok --help'.\n");
    Parsed saves = parse({"--saves", "world"});
    EXPECT_EQ(saves.action, listSaves);
    EXPECT_STREQ(saves.line.dataDirectory, "world");
    EXPECT_EQ(parse({"--saves", "-V"}).action, showVersion);
    EXPECT_EQ(parse({"--help", "--saves"}).action, showHelp);
    EXPECT_NE(printed(printUsage).find("    --load [N]  "), std::string::npos);
}

TEST(CommandLine, MistakesAreNamedOnOneLineWithTheHint) {
    const struct {
        std::vector<std::string> words;
        const char *message;
    } cases[] = {
        {{"--fulscreen"}, "varnok: unknown option '--fulscreen'"},
        {{"--bogus=3"}, "varnok: unknown option '--bogus'"},
        {{"-x"}, "varnok: unknown option '-x'"},
        {{"-fx"}, "varnok: unknown option '-x'"},
        {{"--co", "4"}, "varnok: ambiguous option '--co'"},
        {{"--data"}, "varnok: option '--data' needs a value"},
        {{"-d"}, "varnok: option '-d' needs a value"},
        {{"--data="}, "varnok: option '--data' needs a value"},
        {{"--config"}, "varnok: option '--config' needs a value"},
        {{"--colours"}, "varnok: option '--colours' needs a value"},
        {{"--colours", "8"}, "varnok: --colours takes 4 or 16, not '8'"},
        {{"--colours=four"}, "varnok: --colours takes 4 or 16, not 'four'"},
        {{"--music=1"}, "varnok: option '--music' takes no value"},
        {{"--scale", "5"}, "varnok: --scale takes 0 to 4, not '5'"},
        {{"--scale", "-1"}, "varnok: --scale takes 0 to 4, not '-1'"},
        {{"--scale=02"}, "varnok: --scale takes 0 to 4, not '02'"},
        {{"--aspect=1"}, "varnok: option '--aspect' takes no value"},
        {{"--screenshots"}, "varnok: option '--screenshots' needs a value"},
        {{"--fullscreen=yes"}, "varnok: option '--fullscreen' takes no value"},
        {{"one", "two"}, "varnok: unexpected argument 'two': the data directory is already 'one'"},
        {{"-d", "one", "two"},
         "varnok: unexpected argument 'two': the data directory is already 'one'"},
    };
    for (const auto &c : cases) {
        Parsed p = parse(c.words);
        std::string shown = testing::PrintToString(c.words);
        EXPECT_EQ(p.action, badCommandLine) << shown;
        EXPECT_EQ(p.errors, std::string(c.message) + "\nTry 'varnok --help'.\n") << shown;
    }
}

TEST(CommandLine, HelpListsEveryOptionAndVersionIsTheProjects) {
    std::string shown = printed(printUsage) + printed(printVersion);
    for (const char *option : {"Usage: varnok [OPTIONS] [DATA_DIR]", "-d, --data DIR",
                               "-c, --config FILE", "-f, --fullscreen", "-w, --window",
                               "--colours 4|16", "--music", "--no-music", "--scale N", "--aspect",
                               "--no-aspect", "--screenshots DIR", "--load [N]", "--saves", "-h, --help",
                               "-V, --version"}) {
        EXPECT_NE(shown.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(shown.find("--colors"), std::string::npos) << "the alias stays out of the help";
    EXPECT_NE(shown.find(std::string("varnok ") + VARNOK_VERSION + "\n"), std::string::npos);
}

// The README shows --help as it is, byte for byte.
TEST(CommandLine, HelpIsTheReadmesCopy) {
    std::string help = printed(printUsage);
    std::string readme = readSourceFile("README.md");
    size_t start = readme.find("```\n", readme.find("\n## Command line\n"));
    ASSERT_NE(start, std::string::npos) << "README.md has no command line section";
    start += 4;
    EXPECT_EQ(readme.substr(start, readme.find("```", start) - start), help);
}

namespace {

// The record as a settings file may have left it: no setting at its default.
void setAsFromAFile() {
    freeSettingTexts();
    startUpSettings() = defaultSettings();
    startUpSettings().directory = strdup("from-file");
    startUpSettings().fullscreen = 1;
    startUpSettings().music = 1;
    startUpSettings().video = 0;
    startUpSettings().scale = 3;
    startUpSettings().aspect = 1;
    startUpSettings().screenshots = strdup("shots");
}

} // namespace

TEST(CommandLine, OptionsOverrideTheSettingsAndLeaveTheRest) {
    Parsed none = parse({});
    setAsFromAFile();
    applyCommandLine(none.line);
    EXPECT_STREQ(settings.directory, "from-file");
    EXPECT_EQ(settings.fullscreen, 1);
    EXPECT_EQ(settings.music, 1);
    EXPECT_EQ(settings.video, 0);
    EXPECT_EQ(settings.scale, 3);
    EXPECT_EQ(settings.aspect, 1);
    EXPECT_STREQ(settings.screenshots, "shots");
    CommandLine line = parse({"--window", "--no-music", "--colours", "4", "--scale", "0",
                              "--no-aspect", "--screenshots", "pictures", "from-option"})
                           .line;
    setAsFromAFile();
    applyCommandLine(line);
    EXPECT_STREQ(settings.directory, "from-option");
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.music, 0);
    EXPECT_EQ(settings.video, 1);
    EXPECT_EQ(settings.scale, 0);
    EXPECT_EQ(settings.aspect, 0);
    EXPECT_STREQ(settings.screenshots, "pictures");
    freeSettingTexts();
    startUpSettings() = defaultSettings();
}

TEST(CommandLine, DisplayOptionsSetTheirFields) {
    Parsed p = parse({"--scale", "4", "--aspect"});
    EXPECT_EQ(p.action, runTheGame);
    EXPECT_EQ(p.given.scale, 4);
    EXPECT_EQ(p.given.aspect, 1);
    EXPECT_EQ(p.given.screenshots, nullptr);
    p = parse({"--scale=2", "--aspect", "--no-aspect", "--screenshots=shots"});
    EXPECT_EQ(p.given.scale, 2);
    EXPECT_EQ(p.given.aspect, 0);
    EXPECT_STREQ(p.given.screenshots, "shots");
    p = parse({});
    EXPECT_EQ(p.given.scale, notGiven);
    EXPECT_EQ(p.given.aspect, notGiven);
}

namespace {

// The part of text from the line heading up to the next line that starts with next.
std::string section(const std::string &text, const std::string &heading, const std::string &next) {
    size_t start = text.find("\n" + heading + "\n");
    if (start == std::string::npos) {
        return "";
    }
    size_t end = text.find("\n" + next, start + 1);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// Whether text names the option written as "--name" in backquotes, alone or with its value.
bool namesInBackquotes(const std::string &text, const std::string &option) {
    return text.find("`" + option + "`") != std::string::npos ||
           text.find("`" + option + " ") != std::string::npos;
}

// An option as roff writes it: every minus sign escaped with a backslash.
std::string roff(const std::string &option) {
    std::string written;
    for (char c : option) {
        written += c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return written;
}

// Whether the manual page's text names the option: its roff form, not followed by
// more of a name (--no is not --no-music).
bool manualNames(const std::string &text, const std::string &option) {
    std::string written = roff(option);
    for (size_t at = text.find(written); at != std::string::npos; at = text.find(written, at + 1)) {
        char after = at + written.size() < text.size() ? text[at + written.size()] : ' ';
        if (!isalpha((unsigned char)after) && after != '\\') {
            return true;
        }
    }
    return false;
}

// The guide's line of the settings table for key, or empty.
std::string guideRow(const std::string &table, const char *key) {
    size_t from = table.find(std::string("\n| `") + key + "` |");
    if (from == std::string::npos) {
        return "";
    }
    return table.substr(from, table.find('\n', from + 1) - from);
}

// The manual page's paragraph of key=, up to the next paragraph, or empty.
std::string manualParagraph(const std::string &settingsPart, const char *key) {
    size_t from = std::string::npos;
    for (const char *mark : {"\n.B ", "\n.BI ", "\n.BR "}) {
        from = std::min(from, settingsPart.find(mark + std::string(key) + "="));
    }
    if (from == std::string::npos) {
        return "";
    }
    size_t end = settingsPart.find("\n.TP", from + 1);
    return settingsPart.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

} // namespace

// Each setting of the table has its row in the player's guide's settings table and
// its paragraph in the manual page, with its default and every option that gives it.
TEST(CommandLine, GuideAndManualPageNameEverySettingAndOption) {
    std::string table = section(readSourceFile("GUIDE.md"), "## Settings", "## ");
    std::string manual = readSourceFile("dist/varnok.6.in");
    std::string manualSettings = section(manual, ".SH SETTINGS", ".SH ");
    std::string manualOptions = section(manual, ".SH OPTIONS", ".SH ");
    ASSERT_NE(table, "");
    ASSERT_NE(manualSettings, "");
    ASSERT_NE(manualOptions, "");
    for (const SettingRow &row : settingTable()) {
        std::string line = guideRow(table, row.key);
        std::string paragraph = manualParagraph(manualSettings, row.key);
        EXPECT_NE(line, "") << "GUIDE.md: no row for " << row.key;
        EXPECT_NE(paragraph, "") << "varnok.6.in: no paragraph for " << row.key;
        if (row.value.kind == numberKind || row.value.kind == buttonKind) {
            std::string byDefault = std::to_string(row.value.byDefault);
            EXPECT_NE(line.find(" | " + byDefault + " | "), std::string::npos)
                << "GUIDE.md: the default of " << row.key << " is " << byDefault;
            EXPECT_NE(paragraph.find("Default " + byDefault + "."), std::string::npos)
                << "varnok.6.in: the default of " << row.key << " is " << byDefault;
        }
        for (const SettingOption *option : {&row.option, &row.negated}) {
            for (const char *name : {option->longName, option->alias}) {
                if (name == nullptr) {
                    continue;
                }
                std::string written = std::string("--") + name;
                EXPECT_TRUE(namesInBackquotes(line, written))
                    << "GUIDE.md: the row of " << row.key << " does not name " << written;
                EXPECT_TRUE(manualNames(manualOptions, written))
                    << "varnok.6.in does not name " << written;
            }
            if (option->shortName != 0) {
                std::string both = std::string("-") + option->shortName + ", --" + option->longName;
                EXPECT_TRUE(namesInBackquotes(line, std::string("-") + option->shortName))
                    << "GUIDE.md: the row of " << row.key << " does not name " << both;
                EXPECT_NE(manualOptions.find(roff(both)), std::string::npos)
                    << "varnok.6.in does not name " << both;
            }
        }
    }
}

// The rows agree with themselves: one row per key, one setting per option name,
// defaults and option words in range, and an option of a text takes the text.
TEST(CommandLine, TheSettingRowsAgreeWithThemselves) {
    std::set<std::string> keys, names;
    for (const SettingRow &row : settingTable()) {
        const SettingValue &value = row.value;
        EXPECT_TRUE(keys.insert(row.key).second) << "two rows for " << row.key;
        int kinds = (value.number != nullptr) + (value.text != nullptr) + (value.command >= 0);
        ASSERT_EQ(kinds, 1) << row.key << ": a number, a text or a command's keys or button";
        if (value.kind == numberKind || value.kind == buttonKind) {
            EXPECT_TRUE(value.byDefault >= 0 && value.byDefault <= value.highest) << row.key;
        } else if (value.text != nullptr) {
            EXPECT_TRUE(row.option.longName == nullptr || row.takes.name != nullptr) << row.key;
        } else {
            EXPECT_EQ(row.option.longName, nullptr) << row.key << ": no option gives a key list";
        }
        for (const OptionWord &word : row.takes.words) {
            if (word.word != nullptr) {
                EXPECT_NE(value.number, nullptr) << row.key << ": words give numbers";
                EXPECT_TRUE(word.number >= 0 && word.number <= value.highest) << word.word;
            }
        }
        for (const SettingOption *option : {&row.option, &row.negated}) {
            for (const char *name : {option->longName, option->alias}) {
                EXPECT_TRUE(name == nullptr || names.insert(std::string("--") + name).second)
                    << "--" << name << " twice";
            }
            EXPECT_TRUE(option->shortName == 0 ||
                        names.insert(std::string("-") + option->shortName).second)
                << "-" << option->shortName << " twice";
        }
    }
}
