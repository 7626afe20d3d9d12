// The regression corpus of hostile data files: each is made here, put in place of
// one file of a copy of the demo world, and the whole start-up load runs over it
// and ends through the teardown as start-up ends it. Every case ends as stated
// (refused with its one line, or played with its warning), without a hang and,
// in the sanitizer build, without a memory error or leak; where the data check
// has a word for it, the check says the same. The messages themselves are safe
// for a terminal whatever bytes a file or a path brings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "1-app/run/game_load.h"
#include "1-app/config/settings.h"
#include "1-app/run/shutdown.h"
#include "commands/data_check.h"
#include "4-data/file_formats.h"
#include "4-data/paths.h"
#include "4-data/shown_text.h"
#include "demo_world_fixture.h"
#include "formats/formats.h"
#include "gfx_fixture.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

void addLe(Bytes &bytes, uint32_t value, int count) {
    for (int i = 0; i < count; i++) {
        bytes.push_back((uint8_t)(value >> (8 * i)));
    }
}

// A plain picture file whose offset table names one record `count` times.
Bytes repeatedRecord(int count, int width, int height, size_t rowBytes = 0) {
    Bytes raw;
    addLe(raw, count, 2);
    for (int i = 0; i < count; i++) {
        addLe(raw, 2 + 4 * count, 4);
    }
    addLe(raw, width, 2);
    addLe(raw, height, 2);
    raw.resize(raw.size() + rowBytes, 0);
    return raw;
}

// A masked 4-colour file of one 8x8 picture whose mask declares another size.
Bytes maskOfSize(int width, int height) {
    Bytes raw;
    addLe(raw, 1, 2);
    addLe(raw, 6, 4); // a 16-bit offset in a 32-bit entry
    addLe(raw, 8, 2);
    addLe(raw, 8, 2);
    raw.resize(raw.size() + 2 * 8, 0x55);
    addLe(raw, width, 2);
    addLe(raw, height, 2);
    return raw;
}

struct Outcome {
    int status;
    std::string errors;
};

class HostileFiles : public GfxTest {
  protected:
    ScratchDir scratch;
    std::string dir;
    void SetUp() override {
        GfxTest::SetUp();
        dir = scratch.path + "/world";
        freshWorld();
    }
    void freshWorld() {
        fs::remove_all(dir);
        fs::copy(demoWorldDirectory(), dir, fs::copy_options::recursive);
    }
    void TearDown() override {
        GfxTest::TearDown();
    }
    std::string path(const std::string &name) {
        return dir + "/" + name;
    }
    void replace(const std::string &name, const Bytes &bytes) {
        fs::remove_all(path(name));
        ASSERT_TRUE(writeBytes(path(name), bytes));
    }
    Bytes readWorld(const std::string &name) {
        Bytes bytes;
        EXPECT_TRUE(readBytes(demoWorldDirectory() + "/" + name, bytes)) << name;
        return bytes;
    }
    // The demo world's file, grown with zeros to `size` bytes.
    Bytes grown(const std::string &name, size_t size) {
        Bytes bytes = readWorld(name);
        bytes.resize(size, 0);
        return bytes;
    }
    void replaceBy(const std::string &name, const std::string &kind) {
        fs::remove_all(path(name));
        if (kind == "folder") {
            fs::create_directory(path(name));
        } else {
            ASSERT_EQ(mkfifo(path(name).c_str(), 0644), 0);
        }
    }
    // The start-up load, ended through the teardown either way, as start-up ends it.
    Outcome start(int video = 1) {
        setDataDirectory(dir.c_str());
        useMode(video);
        testing::internal::CaptureStderr();
        LoadFailure failure;
        bool loaded = loadGameData(failure);
        if (!loaded) {
            printLoadFailure(failure);
        }
        releaseEverything();
        return {loaded ? 0 : 1, testing::internal::GetCapturedStderr()};
    }
    void expectRefused(const std::string &name, const std::string &problem, int video = 1) {
        Outcome outcome = start(video);
        EXPECT_EQ(outcome.status, 1) << name;
        std::string line = problem.empty()
                               ? "Cannot open data file '" + path(name) + "'\n"
                               : "Bad data file '" + path(name) + "': " + problem + "\n";
        EXPECT_EQ(outcome.errors, line);
    }
};

const std::string screen = ", larger than the 320\u00d7200 screen";

} // namespace

TEST_F(HostileFiles, TheDemoWorldStartsCleanInBothModes) {
    for (int video : {1, 0}) {
        Outcome outcome = start(video);
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.errors, "");
        GfxTest::SetUp();
    }
}

TEST_F(HostileFiles, PicturesLargerThanTheScreenAreRefusedBeforeAnySurface) {
    struct Case {
        const char *name;
        Bytes raw;
        std::string problem;
        int video;
    };
    const Case cases[] = {
        {"dng1.4", repeatedRecord(4, 8191, 32767), "picture 0 is 8191\u00d732767", 1},
        {"dng1.4", repeatedRecord(64, 8191, 32767), "picture 0 is 8191\u00d732767", 1},
        {"dng1.4", repeatedRecord(510, 8191, 8191), "picture 0 is 8191\u00d78191", 1},
        {"end1.16", repeatedRecord(1, 0, 65535), "picture 0 is 0\u00d765535", 0},
        {"mon2.4", maskOfSize(400, 1), "mask of picture 0 is 400\u00d71", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.problem);
        freshWorld();
        replace(c.name, packLzw(c.raw));
        expectRefused(c.name, c.problem + screen, c.video);
        GfxTest::SetUp();
    }
}

TEST_F(HostileFiles, AnOffsetTableNamingOneRecordThousandsOfTimesPassesTheBudget) {
    // The sets before story5.4 hold the demo world's pictures; 320x200 pictures
    // then fill the rest of the 16 M pixels.
    replace("story5.4", packLzw(repeatedRecord(4000, 320, 200, 80 * 200)));
    Outcome outcome = start();
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.errors.rfind("Bad data file '" + path("story5.4") + "': picture ", 0), 0u)
        << outcome.errors;
    EXPECT_NE(outcome.errors.find(" takes the pictures of the colour mode past 16777216 pixels\n"),
              std::string::npos)
        << outcome.errors;
}

TEST_F(HostileFiles, AStreamEndingBeforeItsDeclaredSizeIsZeroFilled) {
    // A clear and an end code declaring 16 MiB: an empty set, as before, now with
    // the check's warning.
    replace("text.4", Bytes{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x03, 0x02});
    Outcome outcome = start();
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.errors, "Warning: data file '" + path("text.4") +
                                  "': the stream ends after 0 of its 16777215 bytes; the rest "
                                  "reads as zeros\n");
}

TEST_F(HostileFiles, FoldersAndFifosInPlaceOfEssentialFilesCannotBeOpened) {
    for (const char *name : {"data.ovl", "arva.dat", "under.dat", "towne.npc", "look2.dat",
                             "tiles.4", "mon3.4", "ibm.ch"}) {
        for (const char *kind : {"folder", "fifo"}) {
            SCOPED_TRACE(std::string(kind) + " " + name);
            freshWorld();
            replaceBy(name, kind);
            expectRefused(name, "");
            GfxTest::SetUp();
        }
    }
}

TEST_F(HostileFiles, AFolderOrFifoInPlaceOfASettlementMapIsLeftOutWithAWarning) {
    for (const char *kind : {"folder", "fifo"}) {
        SCOPED_TRACE(kind);
        replaceBy("towne.dat", kind);
        Outcome outcome = start();
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.errors,
                  "Warning: data file '" + path("towne.dat") + "' is not a regular file\n");
        GfxTest::SetUp();
    }
}

// A file longer than its format can use is read only that far, and a stream that
// ends short reads as zeros: the game plays with one warning, and the data check
// warns in the same words.
TEST_F(HostileFiles, TheGameAndTheCheckAgreeOnFilesLongerOrShorterThanTheirLayout) {
    Bytes text4 = readWorld("text.4");
    Bytes tiles4 = readWorld("tiles.4");
    Bytes cut(text4.begin(), text4.begin() + (long)text4.size() / 2);
    // One byte more than a stream of its declared size can need.
    Bytes padded = tiles4;
    padded.resize(3 * (size_t)(tiles4[0] | tiles4[1] << 8 | tiles4[2] << 16) + 8, 0);
    const std::string longer = "longer than its layout; only its first ";
    const struct {
        const char *name;
        Bytes bytes;
        const char *lead;  // between the game's "Warning: data file '<path>'" and the words
        std::string words; // how both warnings go on after it and after the check's "<name>: "
    } cases[] = {
        {"ibm.ch", grown("ibm.ch", 1025), " is ", longer + "1024 bytes are read"},
        {"under.dat", grown("under.dat", 65537), " is ", longer + "65536 bytes are read"},
        {"arva.dat", grown("arva.dat", 70000), " is ", longer + "65536 bytes are read"},
        {"towne.dat", grown("towne.dat", 20000), " is ", longer + "16384 bytes are read"},
        {"keep.npc", grown("keep.npc", 4609), " is ", longer + "4608 bytes are read"},
        {"data.ovl", grown("data.ovl", 70000), " is ", longer + "65567 bytes are read"},
        {"look2.dat", grown("look2.dat", 70000), " is ", longer + "65567 bytes are read"},
        {"tiles.4", padded, " is ", longer + std::to_string(padded.size() - 1) + " bytes are read"},
        // A clear code, a literal 0 (an empty set) and the end code, declaring 10 bytes.
        {"text.4", Bytes{10, 0, 0, 0, 0x00, 0x01, 0x04, 0x04}, ": ",
         "the stream ends after 1 of its 10 bytes; the rest reads as zeros"},
        {"text.4", cut, ": ", "the stream ends without its end code after "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        freshWorld();
        replace(c.name, c.bytes);
        Outcome outcome = start();
        EXPECT_EQ(outcome.status, 0);
        std::string lead = "Warning: data file '" + path(c.name) + "'" + c.lead;
        ASSERT_EQ(outcome.errors.substr(0, lead.size()), lead) << outcome.errors;
        std::string words = outcome.errors.substr(lead.size());
        EXPECT_EQ(words.substr(0, c.words.size()), c.words);
        EXPECT_EQ(std::count(words.begin(), words.end(), '\n'), 1) << words;
        CheckReport report = checkDataDirectory(dir, 4);
        EXPECT_TRUE(report.problems.empty()) << report.problems[0];
        ASSERT_EQ(report.warnings.size(), 1u);
        EXPECT_EQ(report.warnings[0] + "\n", std::string(c.name) + ": " + words);
        GfxTest::SetUp();
    }
}

// Control bytes, broken UTF-8 and NUL bytes are escaped; printable text, UTF-8
// included, is kept; a quoted word is cut after 60 characters with an ellipsis.
TEST(ShownText, ControlBytesAreEscapedAndLongWordsCut) {
    const struct {
        std::string bytes, shown;
    } cases[] = {
        {"plain text/path.dat", "plain text/path.dat"},
        {"\x1b]0;title\x07", "\\x1b]0;title\\x07"},
        {std::string("a\0b\n\r\t\x7f", 7), "a\\x00b\\x0a\\x0d\\x09\\x7f"},
        {"caf\xC3\xA9 \xE2\x80\xA6 \xF0\x9F\x8E\xB5", "caf\xC3\xA9 \xE2\x80\xA6 \xF0\x9F\x8E\xB5"},
        {"\xC2\x9Bm", "\\xc2\\x9bm"}, // the C1 CSI in its UTF-8 form
        {"\x9bm", "\\x9bm"},
        {"\xE9t\xE9", "\\xe9t\\xe9"},                            // Latin-1, not UTF-8
        {"\xC3", "\\xc3"},                                       // cut short
        {"\xC0\xAF \xED\xA0\x80", "\\xc0\\xaf \\xed\\xa0\\x80"}, // overlong, surrogate
        {"back\\slash", "back\\slash"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(shownText(c.bytes), c.shown);
        EXPECT_EQ(shownText(c.shown), c.shown) << "safe text stays as it is";
    }
    std::string sixty(60, 'x');
    EXPECT_EQ(shownWord(sixty), sixty);
    EXPECT_EQ(shownWord(sixty + "y"), sixty + "\u2026");
    EXPECT_EQ(shownWord(std::string(10000000, 'z')).size(), 60u + 3u);
    // An escape counts as the four characters it shows and is never split.
    EXPECT_EQ(shownWord(std::string(58, 'x') + "\x1b"), std::string(58, 'x') + "\u2026");
    EXPECT_EQ(shownWord(std::string(56, 'x') + "\x1b"), std::string(56, 'x') + "\\x1b");
    EXPECT_EQ(shownWord(std::string(59, 'x') + "\xC3\xA9\xC3\xA9"),
              std::string(59, 'x') + "\xC3\xA9\u2026");
}
