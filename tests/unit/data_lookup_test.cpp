// Which data directory is used when none is named, the "Data:" line, and the
// check before any window opens: the loaders' message and where the directory
// came from.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "1-app/config/colour_choice.h"
#include "1-app/config/command_line.h"
#include "1-app/config/data_lookup.h"
#include "1-app/display/error_window.h"
#include "1-app/config/settings.h"
#include "1-app/run/shutdown.h"
#include "1-app/run/startup.h"
#include "4-data/file_formats.h"
#include "demo_world_fixture.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

class DataLookup : public ::testing::Test {
  protected:
    ScratchDir dir;
    std::string real; // the scratch directory as realpath gives it
    void SetUp() override {
        char resolved[PATH_MAX];
        real = realpath(dir.path.c_str(), resolved);
        setenv("XDG_DATA_HOME", (dir.path + "/share").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir.path + "/config").c_str(), 1);
        loadSettingsFrom(nullptr);
    }
    void TearDown() override {
        freeSettingTexts();
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_CONFIG_HOME");
    }
    // What checkEssentialFiles refuses: the failure's line, then the explanation.
    std::string refusal() {
        LoadFailure failure;
        std::string explanation;
        if (checkEssentialFiles(failure, explanation)) {
            return "";
        }
        return loadFailureLine(failure) + "\n" + explanation;
    }
    // chooseDataDirectory's "Data:" line.
    std::string choose(bool givenOnCommandLine = false) {
        testing::internal::CaptureStdout();
        chooseDataDirectory(givenOnCommandLine);
        return testing::internal::GetCapturedStdout();
    }
};

// Start-up with the words after the program's name; its status when it ends
// before playing, else 9.
int startUpStatus(std::vector<std::string> words) {
    words.insert(words.begin(), "varnok");
    std::vector<char *> argv;
    for (std::string &word : words) {
        argv.push_back(&word[0]);
    }
    argv.push_back(nullptr);
    int status = 9;
    return startGame((int)words.size(), argv.data(), status) ? 9 : status;
}

} // namespace

TEST_F(DataLookup, CurrentDirectoryThenPerUserFolderThenNothing) {
    EXPECT_EQ(choose(), "Data: " + real + "\n");
    EXPECT_EQ(dataChoice.source, dataNotFound);
    EXPECT_EQ(settings.directory, nullptr);

    fs::create_directories("share/varnok/data");
    writeTextFile("share/varnok/data/Data.Ovl", "x");
    EXPECT_EQ(choose(), "Data: " + real + "/share/varnok/data\n");
    EXPECT_EQ(dataChoice.source, dataFromUserFolder);
    EXPECT_EQ(std::string(settings.directory), dir.path + "/share/varnok/data");

    // A folder named data.ovl is no data.
    freeSettingTexts();
    fs::create_directories("data.ovl");
    choose();
    EXPECT_EQ(dataChoice.source, dataFromUserFolder);
    fs::remove("data.ovl");

    freeSettingTexts();
    writeTextFile("DATA.OVL", "x");
    EXPECT_EQ(choose(), "Data: " + real + "\n");
    EXPECT_EQ(dataChoice.source, dataFromCurrentDirectory);
    EXPECT_EQ(settings.directory, nullptr) << "the paths stay the bare names";
}

TEST_F(DataLookup, ANamedDirectoryIsUsedAsItIsAndShownAbsolute) {
    writeTextFile("data.ovl", "x");
    startUpSettings().directory = strdup("games/../nowhere");
    EXPECT_EQ(choose(), "Data: " + real + "/games/../nowhere\n");
    EXPECT_EQ(dataChoice.source, dataFromSettingsFile);
    free(startUpSettings().directory);
    fs::create_directories("games/mine");
    startUpSettings().directory = strdup("games/mine/");
    EXPECT_EQ(choose(true), "Data: " + real + "/games/mine\n");
    EXPECT_EQ(dataChoice.source, dataFromCommandLine);
}

TEST_F(DataLookup, AMissingFileEndsStartUpWithWhereTheDirectoryCameFrom) {
    choose();
    std::string refused = refusal();
    EXPECT_EQ(
        refused.rfind("Cannot open data file 'data.ovl'\nNo data directory was given and none "
                      "was found ",
                      0),
        0u)
        << refused;
    EXPECT_NE(refused.find("'varnok-data check DIR'"), std::string::npos) << refused;
    writeTextFile("settings.ini", "directory=games\n");
    loadSettingsFrom(nullptr);
    fs::create_directories("games");
    writeTextFile("games/DATA.OVL", "x");
    choose();
    refused = refusal();
    EXPECT_EQ(refused.rfind("Cannot open data file 'games/create.4'\n34 other files the game "
                            "needs are missing too.\nThe data directory " +
                                real +
                                "/games is named by directory= in settings.ini; 'varnok-data "
                                "check " +
                                real + "/games' tells",
                            0),
              0u)
        << refused;
    startUpSettings().video = 0;
    fs::create_directories("games/create.16");
    EXPECT_EQ(refusal().substr(0, 91), "Cannot open data file 'games/create.16'\n34 other files "
                                       "the game needs are missing too.\nThe ");
    // One file missing: no count. No directory at all: none either.
    fs::remove("games/create.16");
    for (const std::string &name : essentialFileNames(false)) {
        writeTextFile("games/" + name, "x");
    }
    fs::remove("games/look2.dat");
    EXPECT_EQ(refusal().substr(0, 44), "Cannot open data file 'games/look2.dat'\nThe ");
    free(startUpSettings().directory);
    startUpSettings().directory = strdup("nowhere");
    choose();
    EXPECT_EQ(refusal().substr(0, 45), "Cannot open data file 'nowhere/data.ovl'\nThe ");
}

// With the mode left open, a copy that holds only the 16-colour graphics plays in
// 16 colours; a mode chosen by the settings or the command line, a complete 4-colour
// set or an incomplete 16-colour one leave the mode alone.
TEST_F(DataLookup, TheColourModeOfTheFilesThatAreThere) {
    fs::create_directories("copy");
    for (const std::string &name : essentialFileNames(false)) {
        writeTextFile("copy/" + name, "x");
    }
    auto chosen = [&](const char *settingsText) {
        writeTextFile("settings.ini", settingsText);
        loadSettingsFrom(nullptr);
        testing::internal::CaptureStdout();
        chooseColourModeByFiles();
        return std::to_string(settings.video) + " " + testing::internal::GetCapturedStdout();
    };
    const std::string switched = "0 Colours: 16 (the 4-colour files are not all there)\n";
    EXPECT_EQ(chosen("directory=copy\n"), switched);
    EXPECT_FALSE(settingGiven("video"));
    EXPECT_EQ(chosen("directory=copy\nvideo=1\n"), "1 ");
    EXPECT_TRUE(settingGiven("video"));
    EXPECT_EQ(chosen("directory=copy\nvideo=seven\n"), "0 ") << "given, though read as 0";
    // --colours 4 on the command line chooses as video=1 does.
    writeTextFile("settings.ini", "directory=copy\n");
    loadSettingsFrom(nullptr);
    char program[] = "varnok", option[] = "--colours", four[] = "4";
    char *words[] = {program, option, four, nullptr};
    CommandLine line;
    ASSERT_EQ(parseCommandLine(3, words, line), runTheGame);
    applyCommandLine(line);
    testing::internal::CaptureStdout();
    chooseColourModeByFiles();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(settings.video, 1);
    // A folder where a 4-colour file should be counts as missing.
    for (const std::string &name : essentialFileNames(true)) {
        writeTextFile("copy/" + name, "x");
    }
    fs::remove("copy/tiles.4");
    fs::create_directories("copy/TILES.4");
    EXPECT_EQ(chosen("directory=copy\n"), switched);
    fs::remove("copy/TILES.4");
    writeTextFile("copy/Tiles.4", "x");
    EXPECT_EQ(chosen("directory=copy\n"), "1 ") << "both sets there";
    fs::remove("copy/Tiles.4");
    fs::remove("copy/mon7.16");
    EXPECT_EQ(chosen("directory=copy\n"), "1 ") << "neither set complete";
}

// A failure's lines, as standard error gets them and the error window shows them.
TEST(ErrorWindow, TheLinesOfAFailureAndHowTheyAreLaidOut) {
    LoadFailure failure = {"d/tiles.4", ""};
    EXPECT_EQ(loadFailureLines(failure, nullptr),
              (std::vector<std::string>{"Cannot open data file 'd/tiles.4'"}));
    EXPECT_EQ(loadFailureLines(failure, "3 other files ...\nThe data directory ..."),
              (std::vector<std::string>{"Cannot open data file 'd/tiles.4'", "3 other files ...",
                                        "The data directory ..."}));
    std::string longLine(150, 'x');
    std::vector<std::string> lines = {"Cannot open data file 'd/tiles.4'", longLine};
    struct Desktop {
        int width, scale;
        size_t columns;
    };
    // Scale 2 where 60 characters fit at it, else 1; never wider than 76.
    for (Desktop desktop : {Desktop{1920, 2, 76}, Desktop{1024, 2, 62}, Desktop{800, 1, 76},
                            Desktop{400, 1, 48}, Desktop{0, 1, 76}}) {
        ErrorLayout layout = layoutErrorWindow(lines, desktop.width);
        EXPECT_EQ(layout.scale, desktop.scale) << desktop.width;
        size_t widest = 0;
        std::string text;
        for (size_t r = 0; r + 2 < layout.rows.size(); r++) {
            widest = std::max(widest, layout.rows[r].size());
            text += layout.rows[r];
        }
        EXPECT_EQ(widest, desktop.columns) << desktop.width;
        EXPECT_EQ(text, lines[0] + longLine) << "nothing lost or added";
        EXPECT_EQ(layout.noteRows, 1);
        EXPECT_EQ(layout.rows[layout.rows.size() - 2], "");
        EXPECT_EQ(layout.rows.back(), errorWindowNote);
    }
}

TEST(ErrorWindow, AKeyAGamepadButtonOrTheCloseButtonCloseIt) {
    for (Uint8 type : {SDL_KEYDOWN, SDL_JOYBUTTONDOWN, SDL_QUIT}) {
        SDL_Event event = {};
        event.type = type;
        EXPECT_TRUE(closesErrorWindow(event)) << (int)type;
    }
    for (Uint8 type : {SDL_KEYUP, SDL_JOYAXISMOTION, SDL_MOUSEMOTION, SDL_VIDEOEXPOSE}) {
        SDL_Event event = {};
        event.type = type;
        EXPECT_FALSE(closesErrorWindow(event)) << (int)type;
    }
}

// A file this user may not read is found before any window opens, with the line
// that tells where the directory came from. Run as another user when the tests
// run as root, who reads any file.
TEST_F(DataLookup, AnEssentialFileThatCannotBeReadGetsTheExplanationToo) {
    fs::copy(demoWorldDirectory(), "games", fs::copy_options::recursive);
    for (const char *folder : {dir.path.c_str(), "games"}) {
        fs::permissions(folder, fs::perms(0755));
    }
    chmod("games/look2.dat", 0);
    startUpSettings().directory = strdup("games");
    auto child = [this] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            exit(3);
        }
        choose(true);
        fprintf(stderr, "%s\n", refusal().c_str());
        exit(0);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0),
                "^Cannot open data file 'games/look2.dat'\nThe data directory .*/games was "
                "given on the command line; 'varnok-data check .*/games' tells");
}

// Start-up ends nothing itself: it gives the front end the status to end with,
// before any window opens when the configuration or the data is not usable.
TEST_F(DataLookup, StartUpGivesBackTheStatusInsteadOfExiting) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(startUpStatus({"--version"}), 0);
    EXPECT_EQ(startUpStatus({"--help"}), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(startUpStatus({"--no-such-option"}), 2);
    EXPECT_EQ(startUpStatus({"--config", "missing.ini"}), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Try 'varnok --help'."),
              std::string::npos);
    // The teardown runs in a child: it releases what other tests here use.
    EXPECT_EXIT(exit(startUpStatus({"--data", "nowhere"})), ::testing::ExitedWithCode(1),
                "^Cannot open data file 'nowhere/data.ovl'\n");
}
