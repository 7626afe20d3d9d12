#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <cstring>
#include <unistd.h>

#include "1-app/config/setting_table.h"
#include "1-app/config/settings.h"
#include "4-data/paths.h"

ScratchDir::ScratchDir() {
    char cwd[4096];
    previous = getcwd(cwd, sizeof cwd) ? cwd : ".";
    std::string pattern = (std::filesystem::temp_directory_path() / "varnok-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    path = mkdtemp(buffer.data());
    if (chdir(path.c_str()) != 0) {
        abort();
    }
}

ScratchDir::~ScratchDir() {
    if (chdir(previous.c_str()) != 0) {
        abort();
    }
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void writeTextFile(const std::string &path, const std::string &text) {
    FILE *f = fopen(path.c_str(), "wb");
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

void writeBinaryFile(const std::string &path, const std::vector<unsigned char> &bytes) {
    FILE *f = fopen(path.c_str(), "wb");
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

DataDirectory::DataDirectory(const char *directory)
    : hadOne(dataDirectory() != nullptr), saved(hadOne ? dataDirectory() : "") {
    setDataDirectory(directory);
}

DataDirectory::~DataDirectory() {
    setDataDirectory(hadOne ? saved.c_str() : nullptr);
}

std::string readSourceFile(const std::string &path) {
    std::string text;
    FILE *f = fopen((std::string(VARNOK_SOURCE_DIR) + "/" + path).c_str(), "rb");
    if (f == nullptr) {
        return text;
    }
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, f)) > 0) {
        text.append(buffer, got);
    }
    fclose(f);
    return text;
}

namespace {

void addLittleEndian(std::vector<unsigned char> &out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) {
        out.push_back((unsigned char)(value >> (8 * i)));
    }
}

} // namespace

std::vector<unsigned char> wavFile(const std::vector<WavChunk> &chunks) {
    std::vector<unsigned char> body = {'W', 'A', 'V', 'E'};
    for (const WavChunk &chunk : chunks) {
        body.insert(body.end(), chunk.tag, chunk.tag + 4);
        addLittleEndian(body, (uint32_t)(chunk.declared >= 0 ? chunk.declared : chunk.body.size()),
                        4);
        body.insert(body.end(), chunk.body.begin(), chunk.body.end());
    }
    std::vector<unsigned char> wav = {'R', 'I', 'F', 'F'};
    addLittleEndian(wav, (uint32_t)body.size(), 4);
    wav.insert(wav.end(), body.begin(), body.end());
    return wav;
}

std::vector<unsigned char> wavFormat(int channels, uint32_t rate, int bits) {
    std::vector<unsigned char> format;
    int frameBytes = channels * ((bits + 7) / 8);
    addLittleEndian(format, 1, 2); // PCM
    addLittleEndian(format, (uint32_t)channels, 2);
    addLittleEndian(format, rate, 4);
    addLittleEndian(format, rate * (uint32_t)frameBytes, 4);
    addLittleEndian(format, (uint32_t)frameBytes, 2);
    addLittleEndian(format, (uint32_t)bits, 2);
    return format;
}

namespace {

void addBigEndian(std::vector<unsigned char> &bytes, uint64_t value, int count) {
    for (int i = count - 1; i >= 0; i--) {
        bytes.push_back((unsigned char)(value >> (8 * i)));
    }
}

} // namespace

std::vector<unsigned char> aiffFile(const std::vector<WavChunk> &chunks, const char *kind) {
    std::vector<unsigned char> body(kind, kind + 4);
    for (const WavChunk &chunk : chunks) {
        body.insert(body.end(), chunk.tag, chunk.tag + 4);
        addBigEndian(body, (uint32_t)(chunk.declared >= 0 ? chunk.declared : chunk.body.size()), 4);
        body.insert(body.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() % 2 != 0) {
            body.push_back(0);
        }
    }
    std::vector<unsigned char> aiff = {'F', 'O', 'R', 'M'};
    addBigEndian(aiff, body.size(), 4);
    aiff.insert(aiff.end(), body.begin(), body.end());
    return aiff;
}

std::vector<unsigned char> aiffCommon(int channels, uint32_t rate, int bits) {
    std::vector<unsigned char> common;
    addBigEndian(common, (uint32_t)channels, 2);
    addBigEndian(common, 1000, 4); // sample frames
    addBigEndian(common, (uint32_t)bits, 2);
    int top = 0; // the rate as an 80-bit float: exponent and mantissa
    while (rate >> (top + 1) != 0) {
        top++;
    }
    addBigEndian(common, rate == 0 ? 0 : 16383 + top, 2);
    addBigEndian(common, rate == 0 ? 0 : (uint64_t)rate << (63 - top), 8);
    return common;
}

KeyList &keysOf(const char *settingKey) {
    const SettingRow *row = findSetting(settingKey);
    return *keyListOf(startUpSettings(), *row);
}

int32_t &buttonOf(const char *settingKey) {
    const SettingRow *row = findSetting(settingKey);
    return *numberOf(startUpSettings(), *row);
}
