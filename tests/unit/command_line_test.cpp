// The command line as a table: each option alone and in combinations, the
// errors with their one-line messages, "--" ending the options; and the
// options put over what the settings file said.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "1-app/command_line.h"
#include "1-app/settings.h"

namespace {

struct Parsed {
    CommandLineAction action;
    CommandLine line;
    std::string errors;
};

Parsed parse(std::vector<std::string> words) {
    words.insert(words.begin(), "varnok");
    std::vector<char *> argv;
    for (std::string &word : words) {
        argv.push_back(&word[0]);
    }
    argv.push_back(nullptr);
    Parsed parsed;
    testing::internal::CaptureStderr();
    parsed.action = parseCommandLine((int)words.size(), argv.data(), parsed.line);
    parsed.errors = testing::internal::GetCapturedStderr();
    // The line points into words: keep copies of what the tests look at.
    static std::string copies[3];
    const char **texts[3] = {&parsed.line.dataDirectory, &parsed.line.configFile,
                             &parsed.line.screenshots};
    for (int i = 0; i < 3; i++) {
        if (*texts[i] != nullptr) {
            copies[i] = *texts[i];
            *texts[i] = copies[i].c_str();
        }
    }
    return parsed;
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
        EXPECT_EQ(p.line.fullscreen, c.fullscreen) << shown;
        EXPECT_EQ(p.line.music, c.music) << shown;
        EXPECT_EQ(p.line.video, c.video) << shown;
    }
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElse) {
    EXPECT_EQ(parse({"--help"}).action, showHelp);
    EXPECT_EQ(parse({"-h", "--fullscreen"}).action, showHelp);
    EXPECT_EQ(parse({"--version"}).action, showVersion);
    EXPECT_EQ(parse({"a", "-V"}).action, showVersion);
    EXPECT_EQ(parse({"-V", "-h"}).action, showHelp);
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
    char *text = nullptr;
    size_t size = 0;
    FILE *out = open_memstream(&text, &size);
    printUsage(out);
    printVersion(out);
    fclose(out);
    std::string shown(text, size);
    free(text);
    for (const char *option : {"Usage: varnok [OPTIONS] [DATA_DIR]", "-d, --data DIR",
                               "-c, --config FILE", "-f, --fullscreen", "-w, --window",
                               "--colours 4|16", "--music", "--no-music", "--scale N", "--aspect",
                               "--no-aspect", "--screenshots DIR", "-h, --help", "-V, --version"}) {
        EXPECT_NE(shown.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(shown.find("--colors"), std::string::npos) << "the alias stays out of the help";
    EXPECT_NE(shown.find(std::string("varnok ") + VARNOK_VERSION + "\n"), std::string::npos);
}

TEST(CommandLine, OptionsOverrideTheSettingsAndLeaveTheRest) {
    settings = Settings{strdup("from-file"), 1, 1, 0, 3, 1, strdup("shots")};
    applyCommandLine(parse({}).line);
    EXPECT_STREQ(settings.directory, "from-file");
    EXPECT_EQ(settings.fullscreen, 1);
    EXPECT_EQ(settings.music, 1);
    EXPECT_EQ(settings.video, 0);
    EXPECT_EQ(settings.scale, 3);
    EXPECT_EQ(settings.aspect, 1);
    EXPECT_STREQ(settings.screenshots, "shots");
    Parsed p = parse({"--window", "--no-music", "--colours", "4", "--scale", "0", "--no-aspect",
                      "--screenshots", "pictures", "from-option"});
    applyCommandLine(p.line);
    EXPECT_STREQ(settings.directory, "from-option");
    EXPECT_EQ(settings.fullscreen, 0);
    EXPECT_EQ(settings.music, 0);
    EXPECT_EQ(settings.video, 1);
    EXPECT_EQ(settings.scale, 0);
    EXPECT_EQ(settings.aspect, 0);
    EXPECT_STREQ(settings.screenshots, "pictures");
    freeSettingsDirectory();
    freeSettingsScreenshots();
    settings = Settings{nullptr, 0, 0, 1, 1, 0, nullptr};
}

TEST(CommandLine, DisplayOptionsSetTheirFields) {
    Parsed p = parse({"--scale", "4", "--aspect"});
    EXPECT_EQ(p.action, runTheGame);
    EXPECT_EQ(p.line.scale, 4);
    EXPECT_EQ(p.line.aspect, 1);
    EXPECT_EQ(p.line.screenshots, nullptr);
    p = parse({"--scale=2", "--aspect", "--no-aspect", "--screenshots=shots"});
    EXPECT_EQ(p.line.scale, 2);
    EXPECT_EQ(p.line.aspect, 0);
    EXPECT_STREQ(p.line.screenshots, "shots");
    p = parse({});
    EXPECT_EQ(p.line.scale, notGiven);
    EXPECT_EQ(p.line.aspect, notGiven);
}
