#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <set>
#include <string>

#include "1-app/settings.h"
#include "3-audio/music.h"
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
