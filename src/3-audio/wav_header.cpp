#include "3-audio/wav_header.h"

#include <cstring>

namespace {

const int chunkHeaderBytes = 8;
const int riffHeaderBytes = 12;
const int formatBytes = 16; // the PCM fields the mixer reads

const int64_t lowestRate = 1000;
const int64_t highestRate = 192000;
const int mostChannels = 8;

uint32_t le32(const uint8_t *at) {
    return at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24;
}

uint16_t le16(const uint8_t *at) {
    return (uint16_t)(at[0] | at[1] << 8);
}

bool isTag(const uint8_t *at, const char *tag) {
    return memcmp(at, tag, 4) == 0;
}

// What is wrong with the format fields at `fields`, or empty.
std::string badFormat(const uint8_t *fields) {
    uint16_t channels = le16(fields + 2);
    uint32_t rate = le32(fields + 4);
    uint16_t bits = le16(fields + 14);
    if (rate < lowestRate || rate > highestRate) {
        return "sample rate " + std::to_string(rate) + ", not 1000-192000";
    }
    if (channels < 1 || channels > mostChannels) {
        return std::to_string(channels) + " channels, not 1-8";
    }
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return std::to_string(bits) + " bits per sample, not 8, 16, 24 or 32";
    }
    return "";
}

} // namespace

std::string impossibleWavHeader(const uint8_t *head, int64_t headSize, int64_t fileSize) {
    if (headSize < riffHeaderBytes || !isTag(head, "RIFF") || !isTag(head + 8, "WAVE")) {
        return "";
    }
    bool formatSeen = false;
    // The mixer steps from chunk to chunk by the sizes alone, without padding.
    for (int64_t at = riffHeaderBytes;;) {
        if (at + chunkHeaderBytes > fileSize) {
            return formatSeen ? "no sound data chunk" : "no format chunk";
        }
        if (at + chunkHeaderBytes > headSize) {
            return "chunks before the sound data take more than its first " +
                   std::to_string(headSize) + " bytes";
        }
        const uint8_t *chunk = head + at;
        int64_t size = le32(chunk + 4);
        int64_t end = at + chunkHeaderBytes + size;
        if (end > fileSize) {
            return "chunk of " + std::to_string(size) + " bytes at byte " + std::to_string(at) +
                   " runs past the end of the file";
        }
        if (formatSeen && isTag(chunk, "data")) {
            return "";
        }
        if (!formatSeen && !isTag(chunk, "fact") && !isTag(chunk, "LIST")) {
            // Anything but a format chunk here the mixer refuses by itself.
            if (!isTag(chunk, "fmt ")) {
                return "";
            }
            if (size < formatBytes || at + chunkHeaderBytes + formatBytes > headSize) {
                return "format chunk of " + std::to_string(size) + " bytes";
            }
            std::string problem = badFormat(chunk + chunkHeaderBytes);
            if (!problem.empty()) {
                return problem;
            }
            formatSeen = true;
        }
        at = end;
    }
}
