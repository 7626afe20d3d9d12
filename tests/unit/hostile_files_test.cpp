// The regression corpus of hostile data files: each is made here, put in place of
// one file of a copy of the demo world, and the whole start-up load runs over it
// and ends through the teardown as start-up ends it. Every case ends as stated
// (refused with its one line, or played with its warning), without a hang and,
// in the sanitizer build, without a memory error or leak.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>

#include "1-app/game_load.h"
#include "1-app/settings.h"
#include "1-app/shutdown.h"
#include "4-data/file_formats.h"
#include "4-data/paths.h"
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
    // A clear and an end code declaring 16 MiB: an empty set, as before.
    replace("text.4", Bytes{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x03, 0x02});
    Outcome outcome = start();
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.errors, "");
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
