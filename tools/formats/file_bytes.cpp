#include "formats/formats.h"

#include <cstdio>

void appendLe(Bytes &bytes, uint32_t value, int count) {
    for (int i = 0; i < count; i++) {
        bytes.push_back((uint8_t)(value >> (8 * i)));
    }
}

void setLe(Bytes &bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; i++) {
        bytes[at + i] = (uint8_t)(value >> (8 * i));
    }
}

bool writeBytes(const std::string &path, const Bytes &bytes) {
    FILE *file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    size_t written = bytes.empty() ? 0 : fwrite(bytes.data(), 1, bytes.size(), file);
    bool closed = fclose(file) == 0;
    return closed && written == bytes.size();
}

bool readBytes(const std::string &path, Bytes &bytes) {
    bytes.clear();
    FILE *file = fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    uint8_t block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0) {
        bytes.insert(bytes.end(), block, block + got);
    }
    bool ok = ferror(file) == 0;
    fclose(file);
    return ok;
}
