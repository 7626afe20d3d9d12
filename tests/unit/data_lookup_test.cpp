// Which data directory is used when none is named, the "Data:" line, and the
// check before any window opens: the loaders' message and where the directory
// came from.
#include <gtest/gtest.h>


#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "1-app/data_lookup.h"
#include "1-app/settings.h"
#include "1-app/startup.h"
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
    settings.directory = strdup("games/../nowhere");
    EXPECT_EQ(choose(), "Data: " + real + "/games/../nowhere\n");
    EXPECT_EQ(dataChoice.source, dataFromSettingsFile);
    free(settings.directory);
    fs::create_directories("games/mine");
    settings.directory = strdup("games/mine/");
    EXPECT_EQ(choose(true), "Data: " + real + "/games/mine\n");
    EXPECT_EQ(dataChoice.source, dataFromCommandLine);
}

TEST_F(DataLookup, AMissingFileEndsStartUpWithWhereTheDirectoryCameFrom) {
    choose();
    std::string refused = refusal();
    EXPECT_EQ(refused.rfind("Cannot open data file 'data.ovl'\nNo data directory was given and none "
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
    EXPECT_EQ(refused.rfind("Cannot open data file 'games/create.4'\nThe data directory " + real +
                                "/games is named by directory= in settings.ini; 'varnok-data "
                                "check " +
                                real + "/games' tells",
                            0),
              0u)
        << refused;
    settings.video = 0;
    fs::create_directories("games/create.16");
    EXPECT_EQ(refusal().substr(0, 44), "Cannot open data file 'games/create.16'\nThe ");
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
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Try 'varnok --help'."), std::string::npos);
    // The teardown runs in a child: it releases what other tests here use.
    EXPECT_EXIT(exit(startUpStatus({"--data", "nowhere"})), ::testing::ExitedWithCode(1),
                "^Cannot open data file 'nowhere/data.ovl'\n");
}
