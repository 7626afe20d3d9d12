// Real playback: SDL's disk audio driver writes what the mixer plays into a file,
// which the tests read back. Each run of the audio device happens in a child
// process that ends through the game's own teardown.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "1-app/config/settings.h"
#include "1-app/run/shutdown.h"
#include "3-audio/music.h"
#include "test_support.h"

namespace {

const int rate = 22050;
const long bytesPerFrame = 4;           // signed 16-bit stereo, as the mixer is opened
const long bufferBytes = 4096 * 4;      // one mixer chunk
const long lateBytes = 2 * bufferBytes; // old sound that may follow a request in the file

// One stretch of a square wave: its amplitude, full period and length in frames.
struct Stretch {
    int amplitude;
    int period;
    int frames;
};

// Piece A opens with a quiet tenth of a second, so a restart shows; piece B is
// louder and slower. A lasts ten seconds so it never loops during a test.
const Stretch introA = {3000, 40, rate / 10};
const Stretch bodyA = {9000, 40, 10 * rate};
const Stretch pieceB = {20000, 100, 2 * rate};

void addNumber(std::vector<unsigned char> &out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; i++) {
        out.push_back((unsigned char)(v >> (8 * i)));
    }
}

void addTag(std::vector<unsigned char> &out, const char *tag) {
    for (int i = 0; i < 4; i++) {
        out.push_back((unsigned char)tag[i]);
    }
}

// A 16-bit stereo WAV file at the mixer's rate, so the mixer passes samples through.
std::vector<unsigned char> squareWave(const std::vector<Stretch> &stretches) {
    std::vector<unsigned char> samples;
    for (const Stretch &s : stretches) {
        for (int i = 0; i < s.frames; i++) {
            int v = (i % s.period) < s.period / 2 ? s.amplitude : -s.amplitude;
            addNumber(samples, (uint32_t)v, 2);
            addNumber(samples, (uint32_t)v, 2);
        }
    }
    std::vector<unsigned char> wav;
    addTag(wav, "RIFF");
    addNumber(wav, 36 + (uint32_t)samples.size(), 4);
    addTag(wav, "WAVE");
    addTag(wav, "fmt ");
    addNumber(wav, 16, 4);
    addNumber(wav, 1, 2); // PCM
    addNumber(wav, 2, 2);
    addNumber(wav, rate, 4);
    addNumber(wav, rate * bytesPerFrame, 4);
    addNumber(wav, bytesPerFrame, 2);
    addNumber(wav, 16, 2);
    addTag(wav, "data");
    addNumber(wav, (uint32_t)samples.size(), 4);
    wav.insert(wav.end(), samples.begin(), samples.end());
    return wav;
}

long sizeOf(const char *path) {
    struct stat st;
    return stat(path, &st) == 0 ? (long)st.st_size : 0;
}

// Child side: opens audio on the disk driver with the given setting, or gives up.
void openDiskAudio(int music) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "out.raw", 1);
    setenv("SDL_DISKAUDIODELAY", "10", 1);
    if (!initAudio(music == 1)) {
        fprintf(stderr, "audio did not open: %s\n", SDL_GetError());
        exit(2);
    }
}

// Child side: waits until the disk driver has written `bytes`, or gives up loudly.
void waitForOutput(long bytes) {
    Uint32 deadline = SDL_GetTicks() + 30000;
    while (sizeOf("out.raw") < bytes) {
        if (SDL_GetTicks() > deadline) {
            fprintf(stderr, "sound output stalled\n");
            exit(3);
        }
        SDL_Delay(2);
    }
}

// Child side: requests piece n with the mixer held still, so that at most lateBytes
// of the earlier sound follow the returned offset in the output file.
long requestPiece(uint16_t n) {
    SDL_LockAudio();
    long mark = sizeOf("out.raw");
    playMusic(n);
    SDL_UnlockAudio();
    return mark;
}

// Child side: hands the offsets of the requests to the parent, then ends the game.
[[noreturn]] void finish(const std::vector<long> &marks) {
    FILE *f = fopen("marks.txt", "w");
    for (long m : marks) {
        fprintf(f, "%ld\n", m);
    }
    fclose(f);
    exit(endGame(0));
}

class MusicPlayback : public ::testing::Test {
  protected:
    ScratchDir dir;
    DataDirectory data{"data"};
    std::vector<int16_t> frames; // one sample per frame: both channels are equal
    std::vector<long> marks;
    long end = 0;

    void SetUp() override {
        useMusicFromFile(streamMusicFromFile);
        mkdir("data", 0755);
        mkdir("data/music", 0755);
        mkdir("data/music/folder", 0755);
        mkfifo("data/music/fifo", 0644);
        writeBinaryFile("data/music/a.wav", squareWave({introA, bodyA}));
        writeBinaryFile("data/music/b.wav", squareWave({pieceB}));
        writeTextFile("data/music/garbage.wav", "this is no sound file\n");
        writeTextFile("data/music/empty.wav", "");
    }

    // Parent side: reads what the child played and where it made its requests.
    void readResults() {
        FILE *f = fopen("out.raw", "rb");
        int16_t pair[2];
        while (f != nullptr && fread(pair, sizeof pair, 1, f) == 1) {
            frames.push_back(pair[0]);
        }
        if (f != nullptr) {
            fclose(f);
        }
        end = (long)frames.size() * bytesPerFrame;
        f = fopen("marks.txt", "r");
        long m;
        while (f != nullptr && fscanf(f, "%ld", &m) == 1) {
            marks.push_back(m);
        }
        if (f != nullptr) {
            fclose(f);
        }
    }

    // The distinct amplitudes between two byte offsets of the output.
    std::set<int> amplitudes(long from, long to) {
        std::set<int> seen;
        for (long i = from / bytesPerFrame; i < to / bytesPerFrame; i++) {
            seen.insert(abs(frames.at(i)));
        }
        return seen;
    }

    // The commonest length of a run of same-signed sound: half the wave's period.
    int halfPeriod(long from, long to) {
        std::map<int, int> runs;
        int run = 0;
        for (long i = from / bytesPerFrame + 1; i < to / bytesPerFrame; i++) {
            if (frames.at(i) != 0 && (frames[i] > 0) == (frames[i - 1] > 0)) {
                run++;
            } else {
                runs[run]++;
                run = frames[i] != 0 ? 1 : 0;
            }
        }
        runs.erase(0);
        int best = 0;
        for (const auto &r : runs) {
            if (best == 0 || r.second > runs[best]) {
                best = r.first;
            }
        }
        return best;
    }
};

using Amplitudes = std::set<int>;

} // namespace

TEST_F(MusicPlayback, PieceOnePlaysAndAnotherNumberReplacesIt) {
    writeTextFile("music.ini", "overworld=a.wav\nunderworld = b.wav\n");
    auto child = [] {
        openDiskAudio(1);
        long first = requestPiece(1);
        waitForOutput(first + 8 * bufferBytes);
        long second = requestPiece(2);
        waitForOutput(second + lateBytes + 6 * bufferBytes);
        finish({first, second});
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
    readResults();
    ASSERT_EQ(marks.size(), 2u);
    long first = marks[0], second = marks[1];
    Amplitudes before = amplitudes(0, first);
    before.erase(0);
    EXPECT_EQ(before, Amplitudes()) << "sound before the first request";
    Amplitudes piece = amplitudes(first, second);
    piece.erase(0); // the silence before the piece began
    EXPECT_EQ(piece, Amplitudes({3000, 9000}));
    EXPECT_EQ(amplitudes(second - 4 * bufferBytes, second), Amplitudes({9000}));
    EXPECT_EQ(halfPeriod(second - 4 * bufferBytes, second), 20);
    EXPECT_EQ(amplitudes(second + lateBytes, end), Amplitudes({20000}));
    EXPECT_EQ(halfPeriod(second + lateBytes, end), 50);
}

TEST_F(MusicPlayback, RequestingThePlayingNumberRestartsIt) {
    writeTextFile("music.ini", "overworld=a.wav\n");
    auto child = [] {
        openDiskAudio(1);
        long first = requestPiece(1);
        waitForOutput(first + 8 * bufferBytes);
        long again = requestPiece(1);
        waitForOutput(again + lateBytes + 6 * bufferBytes);
        finish({first, again});
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
    readResults();
    ASSERT_EQ(marks.size(), 2u);
    long again = marks[1];
    long introBytes = introA.frames * bytesPerFrame;
    EXPECT_EQ(amplitudes(again - 4 * bufferBytes, again), Amplitudes({9000}));
    // The quiet opening comes back right after the request, long before A would loop.
    EXPECT_EQ(amplitudes(again, again + lateBytes + introBytes).count(3000), 1u);
    EXPECT_EQ(amplitudes(end - 4 * bufferBytes, end), Amplitudes({9000}));
}

// Music off touches nothing of the audio: the disk driver never writes its file,
// and a FIFO named music.ini (whose open would block) is never opened.
TEST_F(MusicPlayback, MusicOffOpensNoDeviceAndNoMusicIni) {
    mkfifo("music.ini", 0644);
    auto child = [] {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", "out.raw", 1);
        if (initAudio(false) || musicCount != 0 || SDL_WasInit(SDL_INIT_AUDIO) != 0) {
            fprintf(stderr, "audio was touched with music off\n");
            exit(4);
        }
        playMusic(1);
        exit(endGame(0));
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(sizeOf("out.raw"), 0);
    struct stat st;
    EXPECT_NE(stat("out.raw", &st), 0);
}

// A missing key, a missing file, a file that is no sound, an empty file, a folder,
// a FIFO and WAV files whose headers would crash or hang the mixer each stop the
// piece that plays and leave silence (the folder, the FIFO and the WAV files with
// a warning, the FIFO never opened, the WAV files never handed to the mixer); so
// does a later start without music.ini.
TEST_F(MusicPlayback, EveryPieceWithoutAFileStopsTheMusic) {
    std::vector<unsigned char> sound(4000, 0);
    writeBinaryFile("data/music/rate0.wav",
                    wavFile({{"fmt ", wavFormat(2, 0, 16)}, {"data", sound}}));
    writeBinaryFile("data/music/rate1.wav",
                    wavFile({{"fmt ", wavFormat(2, 1, 16)}, {"data", sound}}));
    writeBinaryFile("data/music/mute.wav",
                    wavFile({{"fmt ", wavFormat(0, 22050, 16)}, {"data", sound}}));
    writeBinaryFile("data/music/list.wav", wavFile({{"LIST", sound, 0x7FFFFFF0}}));
    writeBinaryFile("data/music/nodata.wav", wavFile({{"fmt ", wavFormat(2, 22050, 16)}}));
    writeTextFile("music.ini", "overworld=a.wav\nunderworld=gone.wav\n"
                               "sailing=garbage.wav\ncombat1=folder\ncombat2=empty.wav\n"
                               "combat3=fifo\nmillbrook=rate0.wav\nsaltmere=rate1.wav\n"
                               "emberfold=mute.wav\nharrowgate=list.wav\nravensford=nodata.wav\n");
    auto child = [] {
        openDiskAudio(1);
        std::vector<long> marks;
        for (uint16_t n : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 54}) {
            long start = requestPiece(1);
            waitForOutput(start + 4 * bufferBytes);
            marks.push_back(requestPiece(n));
            if (currentMusic != nullptr) {
                fprintf(stderr, "piece %d was loaded\n", n);
                exit(4);
            }
            waitForOutput(marks.back() + lateBytes + 4 * bufferBytes);
        }
        remove("music.ini");
        loadMusicTable();
        marks.push_back(requestPiece(1));
        waitForOutput(marks.back() + lateBytes + 4 * bufferBytes);
        finish(marks);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0),
                "Warning: music file 'data/music/folder' is not a regular file\n(.|\n)*"
                "Warning: music file 'data/music/fifo' is not a regular file\n"
                "Warning: music file 'data/music/rate0.wav' has an impossible WAV header "
                "\\(sample rate 0, not 1000-192000\\)\n"
                "Warning: music file 'data/music/rate1.wav' .*\\(sample rate 1, .*\n"
                "Warning: music file 'data/music/mute.wav' .*\\(0 channels, not 1-8\\)\n"
                "Warning: music file 'data/music/list.wav' .*\\(chunk of 2147483632 bytes .*\n"
                "Warning: music file 'data/music/nodata.wav' .*\\(no sound data chunk\\)\n");
    readResults();
    ASSERT_EQ(marks.size(), 12u);
    for (size_t i = 0; i + 1 < marks.size(); i++) {
        EXPECT_EQ(amplitudes(marks[i] - bufferBytes, marks[i]), Amplitudes({9000})) << i;
        long nextStart = marks[i] + lateBytes + 4 * bufferBytes;
        EXPECT_EQ(amplitudes(marks[i] + lateBytes, nextStart), Amplitudes({0})) << i;
    }
    EXPECT_EQ(amplitudes(marks.back() + lateBytes, end), Amplitudes({0}));
}

// A piece of any length plays: the mixer streams it from its file, and only the
// file's head is read to check it.
TEST_F(MusicPlayback, ALongPieceIsStreamedFromItsFile) {
    const int64_t dataBytes = 65LL * 1024 * 1024;
    std::vector<unsigned char> head =
        wavFile({{"fmt ", wavFormat(2, rate, 16)}, {"data", {}, dataBytes}});
    writeBinaryFile("data/music/long.wav", head);
    // Sparse: 65 MiB of silence that no disk is spent on.
    ASSERT_EQ(truncate("data/music/long.wav", (off_t)(head.size() + dataBytes)), 0);
    writeTextFile("music.ini", "overworld=long.wav\n");
    auto child = [] {
        openDiskAudio(1);
        playMusic(1);
        if (currentMusic == nullptr) {
            fprintf(stderr, "the long piece was not loaded\n");
            exit(4);
        }
        exit(endGame(0));
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}

TEST_F(MusicPlayback, AudioThatCannotOpenLeavesTheGameSilent) {
    writeTextFile("music.ini", "overworld=a.wav\n");
    auto child = [] {
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        if (initAudio(true) || musicCount != 0 || musicPaths != nullptr) {
            fprintf(stderr, "audio opened or music.ini was read\n");
            exit(4);
        }
        playMusic(1);
        if (currentMusic != nullptr) {
            fprintf(stderr, "a piece was loaded without audio\n");
            exit(5);
        }
        exit(endGame(0));
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
}
