// Helpers shared by the unit tests: a scratch directory that becomes the current
// directory for the test's lifetime, the data directory pointed somewhere for a
// scope, small file writers (WAV files among them), and the files of the source
// tree (README, manual pages) for the tests that hold them to the code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Creates a fresh directory under the system temp dir and changes into it;
// changes back and removes it when destroyed.
struct ScratchDir {
    ScratchDir();
    ~ScratchDir();
    std::string path;
    std::string previous;
};

// Points the data directory setting at a copy of `directory` (nullptr: none, files
// are read by bare name) and puts the previous setting back when destroyed.
struct DataDirectory {
    explicit DataDirectory(const char *directory);
    ~DataDirectory();
    DataDirectory(const DataDirectory &) = delete;
    DataDirectory &operator=(const DataDirectory &) = delete;
    bool hadOne;
    std::string saved;
};

void writeTextFile(const std::string &path, const std::string &text);
void writeBinaryFile(const std::string &path, const std::vector<unsigned char> &bytes);

// A RIFF/WAVE file of the given chunks, each declaring its own size unless
// `declared` says otherwise; and the 16 bytes of a PCM "fmt " chunk.
struct WavChunk {
    const char *tag;
    std::vector<unsigned char> body;
    int64_t declared = -1;
};
std::vector<unsigned char> wavFile(const std::vector<WavChunk> &chunks);
std::vector<unsigned char> wavFormat(int channels, uint32_t rate, int bits);
// The same as a FORM file of `kind` ("AIFF", "AIFC": big-endian sizes, chunks
// padded to an even length), and the 18 bytes of a "COMM" chunk.
std::vector<unsigned char> aiffFile(const std::vector<WavChunk> &chunks, const char *kind);
std::vector<unsigned char> aiffCommon(int channels, uint32_t rate, int bits);

// A file of the source tree by its path from the top, such as "README.md"; empty
// when it cannot be read.
std::string readSourceFile(const std::string &path);

struct KeyList;

// The settings record start-up fills: the key list and the button a command's
// key_... and button_... settings give ("key_north", "button_quit").
KeyList &keysOf(const char *settingKey);
int32_t &buttonOf(const char *settingKey);
