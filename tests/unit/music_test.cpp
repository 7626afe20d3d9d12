#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <set>
#include <string>
#include <vector>

#include "1-app/config/settings.h"
#include "3-audio/music.h"
#include "3-audio/music_header.h"
#include "test_support.h"

namespace {

class MusicTable : public ::testing::Test {
  protected:
    ScratchDir dir;
    DataDirectory data{"data"};
    void TearDown() override {
        closeAudio();
    }
    std::string path(int n) {
        return musicPaths[n] == nullptr ? "(none)" : musicPaths[n];
    }
};

} // namespace

TEST_F(MusicTable, KeysAreDistinctAndNameTheirPlaces) {
    std::set<std::string> distinct(musicKeys, musicKeys + musicNumberCount);
    EXPECT_EQ(distinct.size(), (size_t)musicNumberCount);
    EXPECT_STREQ(musicKeys[1], "overworld");
    // The place entered for each of the numbers 7-38, by location number.
    const char *places[40] = {"Harrowgate", "Millbrook",  "Saltmere",   "Thornwick",  "Emberfold",
                              "Copperdale", "Windhollow", "Ravensford", "Greywatch",  "Stormbeacon",
                              "Tidelamp",   "Gullrock",   "Mossden",    "hermitage",  "Briarcot",
                              "Willowcot",  "Ostrand",    "Haldervine", "Ashby",      "Dunmore",
                              "Pebbleton",  "Wrenfield",  "Oakhurst",   "Marlow",     "Underhold",
                              "Blackspire", "Irongate",   "Frostholm",  "Cinderhold", "Grimwall",
                              "Stonefang",  "Duskhold"};
    const int placeOfNumber[32] = {1,  2,  4,  0,  7,  6,  5,  3,  17, 16, 30, 29, 31, 15, 12, 14,
                                   13, 23, 22, 20, 19, 21, 18, 24, 25, 26, 28, 27, 8,  10, 9,  11};
    for (int n = 7; n <= 38; n++) {
        std::string place = places[placeOfNumber[n - 7]];
        for (char &c : place) {
            c = (char)tolower((unsigned char)c);
        }
        EXPECT_EQ(musicKeys[n], place) << "music number " << n;
    }
}

TEST_F(MusicTable, MusicIniNamesFilesInTheMusicFolder) {
    writeTextFile("music.ini", "overworld = song.ogg\r\n"
                               "Overworld=capital.ogg\n"
                               "theme=first.ogg\n"
                               "theme=second.ogg\n"
                               "underworld=\n"
                               ";sailing=comment.ogg\n"
                               "no-such-key=x.ogg\n"
                               " \tcombat1\t= two words.mid \n"
                               "finale=a=b.ogg\n");
    loadMusicTable();
    ASSERT_EQ(musicCount, 54);
    EXPECT_EQ(path(1), "data/music/song.ogg");
    EXPECT_EQ(path(0), "data/music/second.ogg");
    EXPECT_EQ(path(4), "data/music/two words.mid");
    EXPECT_EQ(path(53), "data/music/a=b.ogg");
    for (int n : {2, 3, 5, 6, 7, 38, 52}) {
        EXPECT_EQ(path(n), "(none)") << "music number " << n;
    }
    // An empty value never replaces a file, even when handed over directly.
    addMusicEntry("overworld", "");
    EXPECT_EQ(path(1), "data/music/song.ogg");
    closeAudio();
    EXPECT_EQ(musicPaths, nullptr);
    EXPECT_EQ(musicCount, 0);
}

TEST_F(MusicTable, NoMusicIniLeavesEveryNumberSilent) {
    loadMusicTable();
    ASSERT_EQ(musicCount, 54);
    for (int n = 0; n < musicCount; n++) {
        EXPECT_EQ(musicPaths[n], nullptr);
    }
}

TEST_F(MusicTable, RequestsBeforeAudioIsOpenDoNothing) {
    writeTextFile("music.ini", "overworld=a.wav\n");
    playMusic(1);
    loadMusicTable();
    playMusic(1);
    playMusic(60000);
    EXPECT_EQ(currentMusic, nullptr);
}

TEST_F(MusicTable, WithoutAListHereTheDataDirectorysIsReadAndNamesFoundInAnyCase) {
    std::filesystem::create_directories("data/MUSIC");
    writeTextFile("data/MUSIC.INI", "overworld=Song.ogg\nthem=x.ogg\n");
    writeTextFile("data/MUSIC/SONG.OGG", "x");
    testing::internal::CaptureStderr();
    loadMusicTable();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "data/MUSIC.INI:2: unknown music 'them'\n");
    EXPECT_EQ(path(1), "data/MUSIC/SONG.OGG");
    // A list here wins; one that is no ordinary file is skipped with a warning.
    writeTextFile("music.ini", "overworld=other.ogg\n");
    loadMusicTable();
    EXPECT_EQ(path(1), "data/music/other.ogg");
    std::filesystem::remove("music.ini");
    ASSERT_EQ(mkfifo("music.ini", 0600), 0);
    testing::internal::CaptureStderr();
    loadMusicTable();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Warning: music list 'music.ini' is not a regular file\n"
              "data/MUSIC.INI:2: unknown music 'them'\n");
    EXPECT_EQ(path(1), "data/MUSIC/SONG.OGG");
}

TEST_F(MusicTable, ValuesOutsideTheMusicFolderAreIgnoredWithAWarning) {
    writeTextFile("music.ini", "\xEF\xBB\xBFoverworld=../../../../etc/passwd\n"
                               "underworld=/etc/passwd\n"
                               "sailing=songs/../../x.ogg\n"
                               "combat1=..\n"
                               "combat2=..songs/a..b.ogg\n"
                               "combat3=songs/./c.ogg\n"
                               "theme=\x1b]0;title\x07.ogg\n");
    testing::internal::CaptureStderr();
    loadMusicTable();
    const char *const refused[][2] = {{"../../../../etc/passwd", "overworld"},
                                      {"/etc/passwd", "underworld"},
                                      {"songs/../../x.ogg", "sailing"},
                                      {"..", "combat1"}};
    std::string warnings;
    for (int line = 1; line <= 4; line++) {
        warnings += "music.ini:" + std::to_string(line) + ": '" + refused[line - 1][0] +
                    "' is not a file inside the music folder; " + refused[line - 1][1] +
                    " is ignored\n";
    }
    // The byte-order mark is no part of the first key.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), warnings);
    for (int n : {1, 2, 3, 4}) {
        EXPECT_EQ(path(n), "(none)") << n;
    }
    EXPECT_EQ(path(5), "data/music/..songs/a..b.ogg");
    EXPECT_EQ(path(6), "data/music/songs/./c.ogg");
    EXPECT_EQ(path(0), "data/music/\x1b]0;title\x07.ogg");
}

// Each WAV and AIFF header the mixer cannot take safely, and those it can; other
// formats are not looked at.
TEST(MusicHeader, ImpossibleHeadersAreToldAndSoundOnesPass) {
    typedef std::vector<unsigned char> Bytes;
    Bytes sound(4000, 0x80);
    auto plain = [&](int channels, uint32_t rate, int bits) {
        return wavFile({{"fmt ", wavFormat(channels, rate, bits)}, {"data", sound}});
    };
    Bytes format = wavFormat(2, 22050, 16);
    Bytes extended = format; // with the two-byte size of an extension
    extended.insert(extended.end(), {0, 0});
    Bytes bigList(musicHeadLimit, 0);
    const struct {
        const char *what;
        Bytes file;
        std::string verdict; // empty: handed to the mixer
    } cases[] = {
        {"16-bit stereo", plain(2, 22050, 16), ""},
        {"the edges", plain(8, 192000, 24), ""},
        {"8-bit mono", plain(1, 1000, 8), ""},
        {"32-bit", plain(1, 44100, 32), ""},
        {"LIST and fact first",
         wavFile(
             {{"LIST", Bytes(10, 1)}, {"fact", Bytes(4, 0)}, {"fmt ", format}, {"data", sound}}),
         ""},
        {"a chunk between format and data",
         wavFile({{"fmt ", format}, {"junk", Bytes(7, 0)}, {"data", sound}}), ""},
        {"a longer format chunk", wavFile({{"fmt ", extended}, {"data", sound}}), ""},
        {"no format first: the mixer would free twice",
         wavFile({{"JUNK", Bytes(4, 0)}, {"fmt ", format}, {"data", sound}}),
         "a 'JUNK' chunk before the format chunk"},
        {"not a WAV", Bytes{'O', 'g', 'g', 'S', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, ""},
        {"RIFF of another kind", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, ""},
        {"sample rate 0", plain(1, 0, 16), "sample rate 0, not 1000-192000"},
        {"sample rate 1", plain(2, 1, 16), "sample rate 1, not 1000-192000"},
        {"sample rate 999", plain(2, 999, 16), "sample rate 999, not 1000-192000"},
        {"sample rate 192001", plain(2, 192001, 16), "sample rate 192001, not 1000-192000"},
        {"no channels", plain(0, 22050, 16), "0 channels, not 1-8"},
        {"9 channels", plain(9, 22050, 16), "9 channels, not 1-8"},
        {"256 channels", plain(256, 22050, 16), "256 channels, not 1-8"},
        {"12 bits", plain(1, 22050, 12), "12 bits per sample, not 8, 16, 24 or 32"},
        {"a short format chunk",
         wavFile({{"fmt ", Bytes(format.begin(), format.begin() + 8)}, {"data", sound}}),
         "format chunk of 8 bytes"},
        {"a LIST past the end", wavFile({{"LIST", Bytes(10, 1), 0xFFFFFFF0}}),
         "chunk of 4294967280 bytes at byte 12 runs past the end of the file"},
        {"data past the end", wavFile({{"fmt ", format}, {"data", sound, 5000}}),
         "chunk of 5000 bytes at byte 36 runs past the end of the file"},
        {"no data chunk", wavFile({{"fmt ", format}}), "no sound data chunk"},
        {"no chunk at all", wavFile({}), "no format chunk"},
        {"chunks past the part read",
         wavFile({{"LIST", bigList}, {"fmt ", format}, {"data", sound}}),
         "chunks before the sound data take more than its first 1048576 bytes"},
    };
    for (const auto &c : cases) {
        int64_t head = std::min<int64_t>((int64_t)c.file.size(), musicHeadLimit);
        EXPECT_EQ(impossibleWavHeader(c.file.data(), head, (int64_t)c.file.size()), c.verdict)
            << c.what;
    }
    // AIFF: the common chunk's fields wherever it stands; compressed AIFF-C is refused.
    auto aiff = [&](Bytes common, const char *kind = "AIFF") {
        return aiffFile({{"NAME", Bytes(3, 'x')}, {"COMM", common}, {"SSND", sound}}, kind);
    };
    Bytes compressed = aiffCommon(2, 22050, 16);
    compressed.insert(compressed.end(), {'s', 'o', 'w', 't', 0, 0});
    Bytes uncompressed = aiffCommon(2, 22050, 16);
    uncompressed.insert(uncompressed.end(), {'N', 'O', 'N', 'E', 0, 0});
    const struct {
        Bytes file;
        std::string verdict;
    } aiffCases[] = {
        {aiff(aiffCommon(2, 22050, 16)), ""},
        {aiff(aiffCommon(8, 192000, 8)), ""},
        {aiff(uncompressed, "AIFC"), ""},
        {aiff(aiffCommon(0, 22050, 16)), "AIFF header (0 channels, not 1-8)"},
        {aiff(aiffCommon(256, 22050, 16)), "AIFF header (256 channels, not 1-8)"},
        {aiff(aiffCommon(2, 0, 16)), "AIFF header (sample rate 0, not 1000-192000)"},
        {aiff(aiffCommon(2, 22050, 24)), "AIFF header (24 bits per sample, not 8 or 16)"},
        {aiff(compressed, "AIFC"), "AIFF header (compressed AIFF-C ('sowt'))"},
        {aiffFile({{"COMM", aiffCommon(2, 22050, 16)}}, "AIFF"),
         "AIFF header (no sound data chunk)"},
        {aiffFile({{"SSND", sound, 9000}}, "AIFF"),
         "AIFF header (chunk of 9000 bytes at byte 12 runs past the end of the file)"},
        {wavFile({{"fmt ", wavFormat(0, 22050, 16)}, {"data", sound}}),
         "WAV header (0 channels, not 1-8)"},
    };
    for (const auto &c : aiffCases) {
        EXPECT_EQ(
            impossibleMusicHeader(c.file.data(), (int64_t)c.file.size(), (int64_t)c.file.size()),
            c.verdict);
    }
}
