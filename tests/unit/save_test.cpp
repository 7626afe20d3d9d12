// Saving and resuming: the save text read strictly, each damaged kind refused with
// its reason; round trips through the real files on the demo world for every map
// family; every save kept (the ten newest), listed and loaded by number, those
// of earlier versions too; the world's digest; and writing that never loses a
// save before it.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "1-app/desktop_front_end.h"
#include "1-app/display/overlays.h"
#include "1-app/run/game_load.h"
#include "1-app/saves/save_game.h"
#include "1-app/saves/save_store.h"
#include "1-app/saves/save_names.h"
#include "1-app/config/setting_table.h"
#include "1-app/config/settings.h"
#include "2-play/clock.h"
#include "2-play/input_stack.h"
#include "2-play/locations.h"
#include "2-play/prompts.h"
#include "2-play/saved_game.h"
#include "4-data/characters.h"
#include "4-data/maps.h"
#include "4-data/table_file.h"
#include "4-data/world_digest.h"
#include "demo_world_fixture.h"
#include "play_fixture.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> bytesOf(const std::string &text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

const SavedGame inATown = {towne, 4, 15, 30, 86, 109, 255, 4, 1439, 53};

// The problem readSaveText finds in text, or "" when it reads.
std::string refusal(const std::string &text) {
    SavedGame game = {};
    std::string problem;
    return readSaveText(bytesOf(text), game, problem) ? "" : problem;
}

// The good text of inATown with its line `line` (from 1) replaced.
std::string withLine(int line, const std::string &replacement) {
    std::string text = saveText(inATown);
    size_t start = 0;
    for (int i = 1; i < line; i++) {
        start = text.find('\n', start) + 1;
    }
    return text.replace(start, text.find('\n', start) - start, replacement);
}

// F5 where writes past 16 bytes fail, as they do on a full disk; standard error
// goes through a pipe meanwhile (the limit holds for every file), then out. Ends
// the process.
void saveOnAFullDisk(Game &game) {
    signal(SIGXFSZ, SIG_IGN);
    int ends[2];
    int keptError = dup(2);
    if (pipe(ends) != 0 || dup2(ends[1], 2) < 0) {
        exit(3);
    }
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    rlim_t before = limit.rlim_cur;
    limit.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &limit);
    saveKey(game);
    limit.rlim_cur = before;
    setrlimit(RLIMIT_FSIZE, &limit);
    dup2(keptError, 2);
    close(ends[1]);
    char said[4096];
    ssize_t got = read(ends[0], said, sizeof said);
    fprintf(stderr, "%.*s", (int)(got > 0 ? got : 0), said);
    exit(0);
}

} // namespace

TEST(SaveText, WhatIsWrittenReadsBack) {
    std::string text = saveText(inATown);
    EXPECT_EQ(text.substr(0, 14), "varnok-save 1\n");
    SavedGame read = {};
    std::string problem;
    ASSERT_TRUE(readSaveText(bytesOf(text), read, problem)) << problem;
    EXPECT_EQ(saveText(read), text);
    // Windows line ends, blank lines, comments and any order read the same.
    std::string edited = "varnok-save 1\r\n\r\n; moved by hand\r\nmusic=53\r\nclock = 1439\r\n"
                         "location=4\nfloor=255\nreturn_row=109\nreturn_column=86\nrow=30\n"
                         "column=15\nlevel=4\n  map\t=2";
    ASSERT_TRUE(readSaveText(bytesOf(edited), read, problem)) << problem;
    EXPECT_EQ(saveText(read), text);
}

TEST(SaveText, AnythingElseIsRefusedWithTheReason) {
    std::string junk = "\x89PNG\r\n\x1a\n";
    junk += std::string(200, '\0');
    const struct {
        std::string text;
        const char *problem;
    } cases[] = {
        {"", "the file is empty"},
        {junk, "not a save file: the first line is not 'varnok-save 1'"},
        {withLine(1, "varnok-save 2"),
         "'varnok-save 2' is a save of another version; this game reads 'varnok-save 1'"},
        {withLine(3, "map=9"), "line 3: map=9 is out of range 0-5"},
        {withLine(3, "map=-1"), "line 3: map '-1' is not a number"},
        {withLine(3, "map=0x2"), "line 3: map '0x2' is not a number"},
        {withLine(4, "level=16"), "line 4: level=16 is out of range 0-15"},
        {withLine(5, "column=32"), "column 32, row 30 lies outside the 32x32 map"},
        {withLine(10, "location=40"), "line 10: location=40 is out of range 0-39"},
        {withLine(11, "clock=1440"), "line 11: clock=1440 is out of range 0-1439"},
        {withLine(12, "music=54"), "line 12: music=54 is out of range 0-53"},
        {withLine(12, "music=99999999999"), "line 12: music '99999999999' is not a number"},
        {withLine(4, "map=2"), "line 4: map is given twice"},
        {withLine(4, "gold=100"), "line 4: unknown key 'gold'"},
        {withLine(4, "level 4"), "line 4: 'level 4' is not key=value"},
        {withLine(4, "level=4\x1b[2J"), "line 4: byte 0x1b is not text"},
        {withLine(4, std::string("level=4\0", 8)), "line 4: byte 0x00 is not text"},
        // Cut off in the middle, as a copy that stopped short.
        {saveText(inATown).substr(0, saveText(inATown).find("row=")), "'row' is missing"},
        {saveText(inATown) + std::string(4096, ';'), "larger than 4096 bytes"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(refusal(c.text), c.problem) << testing::PrintToString(c.text);
    }
}

namespace {

// A game on the demo world, its saves in a scratch folder.
class Saving : public PlayTest {
  protected:
    ScratchDir dir;
    DataDirectory world{demoWorldDirectory().c_str()};

    void SetUp() override {
        PlayTest::SetUp();
        useFrontEnd(desktopFrontEnd);
        setenv("XDG_DATA_HOME", (dir.path + "/share").c_str(), 1);
        forgetWorld();
        startUpSettings() = defaultSettings();
        showNotice("", 0);
        // The names of the places, which the lists show.
        LoadFailure failure;
        ASSERT_TRUE(loadSteps[0].load(failure));
    }
    void TearDown() override {
        unsetenv("XDG_DATA_HOME");
        freeLocationNames();
        forgetWorld();
        freeSettingTexts();
        startUpSettings() = defaultSettings();
        PlayTest::TearDown();
    }
    std::string folder() {
        return dir.path + "/share/varnok/saves/" + worldDigest();
    }
    std::string savePath(int number) {
        return folder() + "/" + numberedSaveName(number);
    }
    // A save's text without the line that dates it.
    static std::string undated(std::string text) {
        size_t at = text.find("\n; saved ");
        return at == std::string::npos ? text : text.erase(at + 1, text.find('\n', at + 1) - at);
    }
    static std::set<std::string> namesIn(const std::string &path) {
        std::set<std::string> names;
        for (const fs::directory_entry &entry : fs::directory_iterator(path)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
    static std::string locationNameOf(int i) {
        std::string name = locations[i].name;
        while (!name.empty() && (unsigned char)name.back() <= ' ') {
            name.pop_back();
        }
        return name;
    }
    // What fn printed on standard output and on standard error.
    template <typename Fn> std::pair<std::string, std::string> outputOf(Fn fn) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        fn();
        std::string errors = testing::internal::GetCapturedStderr();
        return {testing::internal::GetCapturedStdout(), errors};
    }
    void putAt(const SavedGame &saved) {
        resumeGame(game, saved);
    }
    std::string now() {
        return saveText(currentGame(game));
    }
    static std::string fileText(const std::string &path) {
        std::string text;
        FILE *f = fopen(path.c_str(), "rb");
        char buffer[8192];
        size_t got = f != nullptr ? fread(buffer, 1, sizeof buffer, f) : 0;
        text.assign(buffer, got);
        if (f != nullptr) {
            fclose(f);
        }
        return text;
    }
};

} // namespace

TEST_F(Saving, EveryMapFamilyComesBackFromTheFileWithTheClockAndMusic) {
    const SavedGame places[] = {
        {overworld, 0, 200, 13, 0, 0, 0, 0, 7, 1}, {underworld, 0, 3, 255, 86, 109, 0, 33, 600, 1},
        {towne, 4, 15, 30, 86, 109, 0, 4, 61, 9},  {castle, 15, 0, 31, 10, 11, 3, 16, 1439, 16},
        {keep, 7, 31, 0, 12, 13, 254, 26, 0, 32},  {dwelling, 2, 10, 10, 14, 15, 1, 13, 1000, 23},
    };
    int number = 0;
    for (const SavedGame &place : places) {
        putAt(place);
        std::string saved = now();
        std::pair<std::string, std::string> output = outputOf([this] { saveKey(game); });
        std::string path = savePath(++number);
        EXPECT_EQ(output.first, "Game saved: " + path + "\n");
        EXPECT_EQ(shownNotice(), std::string("Saved"));
        EXPECT_EQ(undated(fileText(path)), saved);
        putAt(SavedGame{overworld, 0, 86, 109, 0, 0, 0, 0, 0, 1});
        music();
        output = outputOf([this] { loadKey(game); });
        EXPECT_EQ(output.first, "Game loaded: " + path + "\n");
        EXPECT_EQ(output.second, "");
        EXPECT_EQ(shownNotice(), std::string("Loaded"));
        EXPECT_EQ(now(), saved);
        EXPECT_EQ(music(), std::vector<int>{place.music});
        bool settlement = place.map >= towne;
        EXPECT_EQ(game.currentMap.cells,
                  mapStore(place.map) + (settlement ? place.level * levelCells : 0));
        EXPECT_EQ(game.currentCharacterRecord != nullptr, settlement) << place.map;
    }
}

// Two saves in one second are two files, numbered in sequence; the first also
// wrote world.txt naming the data folder; F9 takes the newest, --load 2 the one
// before, and --saves lists them newest first.
TEST_F(Saving, EverySaveIsKeptNumberedInSequenceAndListedNewestFirst) {
    putAt(SavedGame{overworld, 0, 86, 109, 0, 0, 0, 0, 0, 1});
    outputOf([this] { saveKey(game); });
    std::string first = now();
    putAt(inATown);
    outputOf([this] { saveKey(game); });
    EXPECT_EQ(undated(fileText(savePath(1))), first);
    EXPECT_EQ(undated(fileText(savePath(2))), saveText(inATown));
    EXPECT_EQ(fileText(folder() + "/world.txt"),
              "; The saves in this folder are of the game whose data folder is:\ndata=" +
                  fs::canonical(demoWorldDirectory()).string() + "\n");
    // Nothing else is left in the folder: no temporary file. One a killed save left
    // goes at the next save; one that may be another game's, saving now, stays.
    EXPECT_EQ(namesIn(folder()),
              (std::set<std::string>{"save-0001.txt", "save-0002.txt", "world.txt"}));
    writeTextFile(folder() + "/.writing.killed", "varnok-save 1\n");
    fs::last_write_time(folder() + "/.writing.killed",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    writeTextFile(folder() + "/.writing.busy", "");
    outputOf([this] { saveKey(game); });
    EXPECT_FALSE(fs::exists(folder() + "/.writing.killed"));
    EXPECT_TRUE(fs::exists(folder() + "/.writing.busy"));
    fs::remove(folder() + "/.writing.busy");
    fs::remove(savePath(3));
    std::string listing = outputOf([] { printSaveListing(stdout); }).first;
    std::string day = R"(\d\d\d\d-\d\d-\d\d \d\d:\d\d)";
    EXPECT_TRUE(
        std::regex_match(listing, std::regex("1  " + day + "  " + locationNameOf(4) +
                                             "  15,30\n2  " + day + "  Harrowgate  86,109\n")))
        << listing;
    putAt(SavedGame{keep, 7, 31, 0, 12, 13, 254, 26, 99, 32});
    startUpSettings().load = 2;
    std::pair<std::string, std::string> output =
        outputOf([this] { EXPECT_TRUE(loadAtStart(game)); });
    EXPECT_EQ(output.first, "Game loaded: " + savePath(1) + "\n");
    EXPECT_EQ(now(), first);
    outputOf([this] { loadKey(game); });
    EXPECT_EQ(now(), saveText(inATown));
    startUpSettings().load = 3;
    output = outputOf([this] { EXPECT_FALSE(loadAtStart(game)); });
    EXPECT_EQ(output.first, "No save 3 to load (there are 2): " + folder() + "\n");
}

// The eleventh save drops the first; a save that cannot be read is never
// removed, nor its number taken again.
TEST_F(Saving, TheTenNewestAreKeptAndWhatCannotBeReadStays) {
    for (int i = 0; i < 11; i++) {
        putAt(SavedGame{overworld, 0, 100 + i, 100, 0, 0, 0, 0, i, 1});
        std::string said = outputOf([this] { saveKey(game); }).first;
        EXPECT_EQ(said, "Game saved: " + savePath(i + 1) + "\n");
    }
    std::set<std::string> names = namesIn(folder());
    EXPECT_EQ(names.size(), 11u) << "ten saves and world.txt";
    EXPECT_FALSE(names.count("save-0001.txt"));
    EXPECT_TRUE(names.count("save-0002.txt") && names.count("save-0011.txt"));
    // The oldest kept is damaged: the next save keeps it, and drops none.
    writeTextFile(savePath(2), "damaged");
    outputOf([this] { saveKey(game); });
    EXPECT_EQ(fileText(savePath(2)), "damaged");
    EXPECT_EQ(namesIn(folder()).size(), 12u);
    std::string listing = outputOf([] { printSaveListing(stdout); }).first;
    EXPECT_NE(listing.find("\n11  not readable: not a save file: the first line is not "
                           "'varnok-save 1'  " +
                           savePath(2) + "\n"),
              std::string::npos)
        << listing;
    // A number that something else bears is stepped over, never replaced.
    fs::create_directory(savePath(13));
    std::string said = outputOf([this] { saveKey(game); }).first;
    EXPECT_EQ(said, "Game saved: " + savePath(14) + "\n");
    EXPECT_TRUE(fs::is_directory(savePath(13)));
    // F9 names the newest when it cannot be read, and loads nothing.
    fs::remove(savePath(14));
    std::pair<std::string, std::string> output = outputOf([this] { loadKey(game); });
    EXPECT_EQ(output.second,
              "Cannot load the game from '" + savePath(13) + "': not a regular file\n");
}

// The save and backup of the versions before are listed after the numbered ones,
// load, and are never removed.
TEST_F(Saving, TheSaveAndBackupOfEarlierVersionsStayListedAndLoadable) {
    fs::create_directories(folder());
    writeTextFile(folder() + "/save.txt", saveText(inATown));
    writeTextFile(folder() + "/backup.txt",
                  saveText(SavedGame{overworld, 0, 86, 109, 0, 0, 0, 0, 0, 1}));
    std::string listing = outputOf([] { printSaveListing(stdout); }).first;
    EXPECT_TRUE(
        std::regex_match(listing, std::regex("1  [-0-9: ]+  " + locationNameOf(4) +
                                             "  15,30\n2  [-0-9: ]+  Harrowgate  86,109\n")))
        << listing;
    outputOf([this] { loadKey(game); });
    EXPECT_EQ(now(), saveText(inATown));
    for (int i = 0; i < 12; i++) {
        outputOf([this] { saveKey(game); });
    }
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(outputOf([] { printSaveListing(stdout); }).first);
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[11].find("12  "), 0u);
    EXPECT_NE(lines[11].find("  Harrowgate  86,109"), std::string::npos) << lines[11];
    startUpSettings().load = 12;
    std::pair<std::string, std::string> output =
        outputOf([this] { EXPECT_TRUE(loadAtStart(game)); });
    EXPECT_EQ(output.first, "Game loaded: " + folder() + "/backup.txt\n");
    EXPECT_TRUE(fs::exists(folder() + "/save.txt"));
}

TEST_F(Saving, NothingSavedAndAnOpenQuestionChangeNothing) {
    putAt(inATown);
    std::pair<std::string, std::string> output = outputOf([this] { loadKey(game); });
    EXPECT_EQ(output, std::make_pair(std::string(), std::string()));
    EXPECT_EQ(shownNotice(), std::string("Nothing saved"));
    EXPECT_EQ(now(), saveText(inATown));
    output = outputOf([] { printSaveListing(stdout); });
    EXPECT_EQ(output.first, "No saves of this world in " + folder() + "\n");
    press(keyLook); // the direction prompt is open
    for (void (*key)(Game &) : {saveKey, loadKey}) {
        output = outputOf([this, key] { key(game); });
        EXPECT_EQ(output, std::make_pair(std::string(), std::string()));
        EXPECT_EQ(shownNotice(), std::string("Answer first"));
    }
    EXPECT_FALSE(fs::exists(folder())) << "nothing is written before a save";
    EXPECT_EQ(topHandler(game.inputStack), directionPrompt);
}

TEST_F(Saving, DamagedSavesAreRefusedAndTheGameStaysWhereItWas) {
    putAt(inATown);
    outputOf([this] { saveKey(game); });
    std::string good = fileText(savePath(1));
    putAt(SavedGame{keep, 7, 31, 0, 12, 13, 254, 26, 99, 32});
    std::string here = now();
    // Each kind made in the place of the save.
    const struct {
        const char *kind;
        std::function<void(const std::string &path)> make;
        const char *problem;
    } cases[] = {
        {"a folder", [](const std::string &p) { fs::create_directory(p); }, "not a regular file"},
        {"a FIFO", [](const std::string &p) { mkfifo(p.c_str(), 0600); }, "not a regular file"},
        {"1 GB",
         [](const std::string &p) {
             writeTextFile(p, "");
             fs::resize_file(p, 1u << 30);
         },
         "larger than 4096 bytes"},
        {"binary junk", [](const std::string &p) { writeTextFile(p, std::string(300, '\xff')); },
         "not a save file: the first line is not 'varnok-save 1'"},
        {"truncated",
         [&](const std::string &p) { writeTextFile(p, good.substr(0, good.find("level"))); },
         "'level' is missing"},
        {"out of range", [](const std::string &p) { writeTextFile(p, withLine(11, "clock=2000")); },
         "line 11: clock=2000 is out of range 0-1439"},
    };
    for (const auto &c : cases) {
        fs::remove(savePath(1));
        c.make(savePath(1));
        std::pair<std::string, std::string> output = outputOf([this] { loadKey(game); });
        EXPECT_EQ(output.second,
                  "Cannot load the game from '" + savePath(1) + "': " + c.problem + "\n")
            << c.kind;
        EXPECT_EQ(output.first, "") << c.kind;
        EXPECT_EQ(shownNotice(), std::string("Not loaded")) << c.kind;
        EXPECT_EQ(now(), here) << c.kind;
        fs::remove(savePath(1));
    }
    // With an older save beside it, F9 names the damaged newest and takes the older.
    putAt(inATown);
    outputOf([this] { saveKey(game); });
    outputOf([this] { saveKey(game); });
    writeTextFile(savePath(2), "junk");
    putAt(SavedGame{keep, 7, 31, 0, 12, 13, 254, 26, 99, 32});
    std::pair<std::string, std::string> output = outputOf([this] { loadKey(game); });
    EXPECT_EQ(output.first, "Game loaded from an older save: " + savePath(1) + "\n");
    EXPECT_NE(output.second.find("Cannot load the game from '" + savePath(2) + "'"),
              std::string::npos);
    EXPECT_EQ(shownNotice(), std::string("Loaded an older save"));
    EXPECT_EQ(now(), saveText(inATown));
}

// Two games saving the same world at the same moment: every save of both is kept,
// each under a number of its own.
TEST_F(Saving, TwoGamesSavingAtOnceBothSucceed) {
    std::string text = saveText(inATown);
    pid_t games[2];
    for (pid_t &pid : games) {
        pid = fork();
        if (pid == 0) {
            std::string name, problem;
            for (int i = 0; i < 25; i++) {
                if (!saveFiles.add(worldDigest(), text, "", name, problem)) {
                    _exit(1);
                }
            }
            _exit(0);
        }
    }
    for (pid_t pid : games) {
        int status = -1;
        waitpid(pid, &status, 0);
        EXPECT_EQ(status, 0);
    }
    std::set<std::string> names = namesIn(folder());
    EXPECT_EQ(names.size(), 50u);
    EXPECT_EQ(names.count(numberedSaveName(50)), 1u);
}

TEST_F(Saving, ASaveThatCannotBeWrittenLeavesEveryEarlierOne) {
    putAt(inATown);
    outputOf([this] { saveKey(game); });
    press(keyEast);
    outputOf([this] { saveKey(game); });
    std::string old[] = {fileText(savePath(1)), fileText(savePath(2))};
    press(keyEast);
    // Something that is no folder where a folder goes.
    fs::rename(folder(), dir.path + "/kept");
    writeTextFile(folder(), "");
    std::pair<std::string, std::string> output = outputOf([this] { saveKey(game); });
    EXPECT_EQ(output.second, "Cannot save the game to '" + folder() + "': Not a directory\n");
    EXPECT_EQ(shownNotice(), std::string("Not saved"));
    fs::remove(folder());
    fs::rename(dir.path + "/kept", folder());
    // A folder the player may not write: as another user when the tests run as root.
    std::string saves = folder();
    fs::permissions(dir.path, fs::perms(0755));
    fs::permissions(saves, fs::perms(0555));
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
                exit(3);
            }
            saveKey(game);
            exit(0);
        },
        testing::ExitedWithCode(0), "^Cannot save the game to '.*': Permission denied\n$");
    fs::permissions(saves, fs::perms(0755));
    // A full disk: writes past a size limit fail, as they do on a full one.
    EXPECT_EXIT(saveOnAFullDisk(game), testing::ExitedWithCode(0),
                "^Cannot save the game to '.*': File too large\n$");
    EXPECT_EQ(fileText(savePath(1)), old[0]);
    EXPECT_EQ(fileText(savePath(2)), old[1]);
    EXPECT_EQ(namesIn(saves),
              (std::set<std::string>{"save-0001.txt", "save-0002.txt", "world.txt"}))
        << "no temporary file is left behind";
}

TEST_F(Saving, LoadAtStartSaysSoWithoutASaveAndAutosaveWritesOnlyWhenAsked) {
    startUpSettings().load = 1;
    std::pair<std::string, std::string> output =
        outputOf([this] { EXPECT_FALSE(loadAtStart(game)); });
    EXPECT_EQ(output.first, "No saved game to load: " + folder() + "\n");
    EXPECT_EQ(shownNotice(), std::string(""));
    outputOf([this] { saveOnQuit(game); });
    EXPECT_FALSE(fs::exists(dir.path + "/share")) << "autosave=0 writes nothing";
    startUpSettings().autosave = 1;
    putAt(inATown);
    output = outputOf([this] { saveOnQuit(game); });
    EXPECT_EQ(output.first, "Game saved: " + savePath(1) + "\n");
    putAt(SavedGame{overworld, 0, 86, 109, 0, 0, 0, 0, 0, 1});
    output = outputOf([this] { EXPECT_TRUE(loadAtStart(game)); });
    EXPECT_EQ(output.first, "Game loaded: " + savePath(1) + "\n");
    EXPECT_EQ(shownNotice(), std::string("")) << "a start with --load shows no notice";
    EXPECT_EQ(now(), saveText(inATown));
}

// A save file from elsewhere (the page's upload) is kept when it reads as one.
TEST_F(Saving, ASaveTextFromElsewhereIsKeptOnlyWhenItReads) {
    std::string problem;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(addSaveText("not a save", problem));
    EXPECT_TRUE(addSaveText(saveText(inATown), problem)) << problem;
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(problem, "not a save file: the first line is not 'varnok-save 1'");
    std::string text;
    ASSERT_TRUE(saveTextOf(1, text, problem)) << problem;
    EXPECT_EQ(text, saveText(inATown));
    EXPECT_FALSE(saveTextOf(2, text, problem));
}

// The digest names the world by its places and people: the graphics of either
// colour mode, the music and the case of the names leave it, every other file
// changes it.
TEST_F(Saving, TheWorldsNameComesFromItsPlacesNotItsGraphics) {
    fs::create_directory("world");
    for (const std::string &name : worldDigestFiles()) {
        fs::copy_file(demoWorldDirectory() + "/" + name, "world/" + name);
    }
    DataDirectory copy("world");
    std::string name = worldDigest();
    EXPECT_EQ(name.size(), 16u);
    writeTextFile("world/tiles.16", "other graphics");
    writeTextFile("world/tiles.4", "other graphics");
    fs::create_directory("world/music");
    writeTextFile("world/music.ini", "overworld=x.ogg\n");
    fs::rename("world/data.ovl", "world/DATA.OVL");
    EXPECT_EQ(worldDigest(), name);
    for (const std::string &file : worldDigestFiles()) {
        std::string path = file == "data.ovl" ? "world/DATA.OVL" : "world/" + file;
        std::string kept = path + ".kept";
        fs::copy_file(path, kept);
        std::vector<unsigned char> changed(fs::file_size(path));
        FILE *f = fopen(path.c_str(), "rb");
        ASSERT_EQ(fread(changed.data(), 1, changed.size(), f), changed.size());
        fclose(f);
        changed[changed.size() / 2] ^= 1;
        writeBinaryFile(path, changed);
        EXPECT_NE(worldDigest(), name) << file << " changed";
        fs::remove(path);
        EXPECT_NE(worldDigest(), name) << file << " missing";
        fs::rename(kept, path);
    }
    EXPECT_EQ(worldDigest(), name);
}
