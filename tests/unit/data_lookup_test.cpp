// Which data directory is used when none is named, the "Data:" line, and the
// check before any window opens: the loaders' message and where the directory
// came from.
#include <gtest/gtest.h>


#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "1-app/data_lookup.h"
#include "1-app/settings.h"
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

// A file this user may not read is found before any window opens, with the line
// that tells where the directory came from. Run as another user when the tests
// run as root, who reads any file.
TEST_F(DataLookup, AnEssentialFileThatCannotBeReadGetsTheExplanationToo) {
    fs::copy(demoWorldDirectory(), "games", fs::copy_options::recursive);
    for (const char *folder : {dir.path.c_str(), "games"}) {
        fs::permissions(folder, fs::perms(0755));
    }
    chmod("games/look2.dat", 0);
    settings.directory = strdup("games");
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
