// The data check of varnok-data: the demo world is sound in both modes, and each
// kind of defect it claims to find is found in a copy of the world broken in
// exactly that way, named by file, with no other complaint.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

#include "commands/data_check.h"
#include "demo_world_fixture.h"
#include "formats/formats.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

struct BrokenWorld : testing::Test {
    ScratchDir scratch;
    std::string dir;
    void SetUp() override {
        dir = scratch.path + "/world";
        fs::copy(demoWorldDirectory(), dir, fs::copy_options::recursive);
    }
    std::string path(const std::string &file) {
        return dir + "/" + file;
    }
    void replace(const std::string &file, const Bytes &bytes) {
        ASSERT_TRUE(writeBytes(path(file), bytes));
    }
    void truncate(const std::string &file, size_t size) {
        Bytes bytes;
        ASSERT_TRUE(readBytes(path(file), bytes));
        bytes.resize(size);
        replace(file, bytes);
    }
    // Every problem names `file` and the first mentions `what`.
    void expectProblems(const std::string &file, const std::string &what, int mode = 0) {
        CheckReport report = checkDataDirectory(dir, mode);
        ASSERT_FALSE(report.problems.empty()) << file;
        EXPECT_NE(report.problems[0].find(what), std::string::npos) << report.problems[0];
        for (const std::string &line : report.problems) {
            EXPECT_EQ(line.rfind(file + ": ", 0), 0u) << line;
        }
    }
};

Picture plainPicture(int width, int height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign((size_t)width * height, 1);
    picture.mask.assign((size_t)width * height, 0);
    return picture;
}

} // namespace

TEST(DataCheck, DemoWorldIsSoundInBothModes) {
    for (int mode : {0, 4, 16}) {
        CheckReport report = checkDataDirectory(demoWorldDirectory(), mode);
        EXPECT_TRUE(report.problems.empty()) << report.problems[0];
        EXPECT_TRUE(report.warnings.empty());
    }
    EXPECT_EQ(checkDataDirectory(demoWorldDirectory(), 0).modes,
              (std::vector<std::string>{"4 colours: complete", "16 colours: complete"}));
    EXPECT_EQ(checkDataDirectory(demoWorldDirectory(), 16).modes,
              (std::vector<std::string>{"16 colours: complete"}));
}

// The closing lines: a mode is complete when its own files and the shared ones
// are sound; --colours 16 is suggested when only the 16-colour files are.
TEST_F(BrokenWorld, EachModeIsJudgedByItsOwnFilesAndTheShared) {
    for (const auto &entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".4") {
            fs::remove(entry.path());
        }
    }
    const std::string hint = "Only the 16-colour files are complete: play them with 'varnok "
                             "--colours 16' (or video=0 in settings.ini).";
    EXPECT_EQ(checkDataDirectory(dir, 0).modes,
              (std::vector<std::string>{"4 colours: incomplete, 26 of its 26 files missing or "
                                        "damaged",
                                        "16 colours: complete", hint}));
    EXPECT_EQ(checkDataDirectory(dir, 16).modes,
              (std::vector<std::string>{"16 colours: complete"}));
    truncate("mon3.16", 3);
    EXPECT_EQ(checkDataDirectory(dir, 16).modes,
              (std::vector<std::string>{"16 colours: incomplete, 1 of its 26 files missing or "
                                        "damaged"}));
    fs::copy(demoWorldDirectory() + "/mon3.16", path("mon3.16"),
             fs::copy_options::overwrite_existing);
    truncate("look2.dat", 10);
    EXPECT_EQ(checkDataDirectory(dir, 0).modes,
              (std::vector<std::string>{"4 colours: incomplete, 26 of its 26 files missing or "
                                        "damaged",
                                        "16 colours: incomplete, the files both modes use have "
                                        "problems"}));
}

TEST_F(BrokenWorld, MissingFile) {
    fs::remove(path("look2.dat"));
    expectProblems("look2.dat", "missing");
}

TEST_F(BrokenWorld, BadLzwHeader) {
    Bytes bytes;
    ASSERT_TRUE(readBytes(path("tiles.4"), bytes));
    bytes[4] = 1; // the stream no longer starts with the clear code
    replace("tiles.4", bytes);
    expectProblems("tiles.4", "not a valid LZW container");
}

TEST_F(BrokenWorld, StreamThatDoesNotDecode) {
    // Codewords 256, 65 and then 300 while the next free code is 258.
    replace("end1.16", Bytes{10, 0, 0, 0, 0x00, 0x83, 0xB0, 0x0C, 0x08});
    expectProblems("end1.16", "does not decode");
}

TEST_F(BrokenWorld, ShortTilesOnlyInTheirMode) {
    replace("tiles.16", packLzw(Bytes(32768, 0x11)));
    expectProblems("tiles.16", "too short");
    EXPECT_TRUE(checkDataDirectory(dir, 4).problems.empty());
}

TEST_F(BrokenWorld, ShortFont) {
    truncate("runes.ch", 1000);
    expectProblems("runes.ch", "too short");
}

TEST_F(BrokenWorld, PictureOffsetOutside) {
    Bytes raw = buildPictureFile16({plainPicture(8, 4), plainPicture(8, 4)}, false);
    raw[2 + 4 + 2] = 0x7F; // picture 1's offset now far past the end
    replace("story3.16", packLzw(raw));
    expectProblems("story3.16", "picture 1: offset");
}

TEST_F(BrokenWorld, PictureRowsOutside) {
    Bytes raw = buildPictureFile4({plainPicture(8, 4)}, false);
    raw.resize(raw.size() - 1);
    replace("dng2.4", packLzw(raw));
    expectProblems("dng2.4", "rows run past");
}

TEST_F(BrokenWorld, MaskOutside) {
    Bytes raw = buildPictureFile4({plainPicture(12, 6)}, true);
    raw.resize(raw.size() - 2); // the last mask row is cut short
    replace("mon3.4", packLzw(raw));
    expectProblems("mon3.4", "mask outside");
}

TEST_F(BrokenWorld, ShortCharacterFile) {
    truncate("keep.npc", 4000);
    expectProblems("keep.npc", "too short");
}

TEST_F(BrokenWorld, ShortTableFile) {
    truncate("data.ovl", 14000);
    expectProblems("data.ovl", "too short");
}

TEST_F(BrokenWorld, NameOutsideTheTableFile) {
    Bytes bytes;
    ASSERT_TRUE(readBytes(path("data.ovl"), bytes));
    bytes[7754 + 2 * 5] = 0xFF; // location 5's name position
    bytes[7754 + 2 * 5 + 1] = 0xFF;
    replace("data.ovl", bytes);
    expectProblems("data.ovl", "location 5");
}

TEST_F(BrokenWorld, ShortUnderworld) {
    truncate("under.dat", 60000);
    expectProblems("under.dat", "too short");
}

TEST_F(BrokenWorld, LayoutChunkOutsideTheWorldMap) {
    truncate("arva.dat", 256); // only chunk 0 is left
    expectProblems("arva.dat", "outside the file");
}

TEST_F(BrokenWorld, TileNameOutsideItsFile) {
    Bytes bytes;
    ASSERT_TRUE(readBytes(path("look2.dat"), bytes));
    bytes[2 * 300] = 0xFF;
    bytes[2 * 300 + 1] = 0xFF;
    replace("look2.dat", bytes);
    expectProblems("look2.dat", "tile 300");
}

TEST_F(BrokenWorld, MusicTheMixerCannotTakeIsNamed) {
    Bytes format = wavFormat(2, 22050, 16);
    replace("music/bad.wav",
            wavFile({{"JUNK", Bytes(4, 0)}, {"fmt ", format}, {"data", Bytes(8)}}));
    std::ofstream(path("music.ini"), std::ios::app) << "overworld=bad.wav\ntheme=bad.wav\n";
    CheckReport report = checkDataDirectory(dir, 0);
    EXPECT_TRUE(report.problems.empty());
    ASSERT_EQ(report.warnings.size(), 1u) << "named once, however often music.ini names it";
    EXPECT_EQ(report.warnings[0], "music/bad.wav: impossible WAV header (a 'JUNK' chunk before "
                                  "the format chunk); the game plays it as silence");
}

TEST_F(BrokenWorld, MissingSettlementFileIsOnlyAWarning) {
    fs::remove(path("castle.dat"));
    CheckReport report = checkDataDirectory(dir, 0);
    EXPECT_TRUE(report.problems.empty());
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.warnings[0].rfind("castle.dat: ", 0), 0u);
    truncate("towne.dat", 100);
    expectProblems("towne.dat", "too short");
}

namespace {

// A plain picture file whose offset table names one record `count` times, with
// `rowBytes` bytes of rows after it.
Bytes repeatedRecord(int count, int width, int height, size_t rowBytes) {
    Bytes raw = {(uint8_t)count, (uint8_t)(count >> 8)};
    for (int i = 0; i < count; i++) {
        uint32_t offset = 2 + 4 * count;
        raw.insert(raw.end(), {(uint8_t)offset, (uint8_t)(offset >> 8), 0, 0});
    }
    raw.insert(raw.end(),
               {(uint8_t)width, (uint8_t)(width >> 8), (uint8_t)height, (uint8_t)(height >> 8)});
    raw.resize(raw.size() + rowBytes, 0);
    return raw;
}

} // namespace

// What the engine refuses, check calls a problem with the engine's own words.
TEST_F(BrokenWorld, PicturesPastTheScreenOrTheBudget) {
    replace("dng1.4", packLzw(repeatedRecord(4, 8191, 32767, 0)));
    expectProblems("dng1.4", "picture 0 is 8191\u00d732767, larger than the 320\u00d7200 screen",
                   4);
    fs::copy(demoWorldDirectory() + "/dng1.4", path("dng1.4"),
             fs::copy_options::overwrite_existing);
    replace("story5.4", packLzw(repeatedRecord(4000, 320, 200, 80 * 200)));
    expectProblems("story5.4", " takes the pictures of the colour mode past 16777216 pixels", 4);
    EXPECT_TRUE(checkDataDirectory(dir, 16).problems.empty());
}

TEST_F(BrokenWorld, AStreamEndingBeforeItsDeclaredSizeIsAWarning) {
    // A clear and an end code declaring 16 MiB: the engine reads zeros.
    replace("text.16", Bytes{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x03, 0x02});
    CheckReport report = checkDataDirectory(dir, 16);
    EXPECT_TRUE(report.problems.empty());
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.warnings[0],
              "text.16: the stream ends after 0 of its 16777215 bytes; the rest reads as zeros");
}

TEST_F(BrokenWorld, FoldersAndFifosAreNotDataAndNeverBlock) {
    fs::remove(path("look2.dat"));
    ASSERT_EQ(mkfifo(path("look2.dat").c_str(), 0644), 0);
    expectProblems("look2.dat", "not a regular file");
    fs::remove(path("look2.dat"));
    fs::create_directory(path("look2.dat"));
    expectProblems("look2.dat", "not a regular file");
    fs::remove(path("look2.dat"));
    fs::copy(demoWorldDirectory() + "/look2.dat", path("look2.dat"));
    fs::remove(path("keep.dat"));
    ASSERT_EQ(mkfifo(path("keep.dat").c_str(), 0644), 0);
    CheckReport report = checkDataDirectory(dir, 0);
    EXPECT_TRUE(report.problems.empty());
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.warnings[0], "keep.dat: not a regular file; its settlements will show tile 0");
}
