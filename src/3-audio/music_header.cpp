#include "3-audio/music_header.h"

#include <algorithm>
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

uint32_t be32(const uint8_t *at) {
    return (uint32_t)at[0] << 24 | (uint32_t)at[1] << 16 | (uint32_t)at[2] << 8 | at[3];
}

uint16_t be16(const uint8_t *at) {
    return (uint16_t)(at[0] << 8 | at[1]);
}

// A chunk's tag as a message shows it: anything but a printable character as '?'.
std::string shownTag(const uint8_t *at) {
    std::string tag;
    for (int i = 0; i < 4; i++) {
        tag += at[i] >= 0x20 && at[i] < 0x7f && at[i] != '\'' ? (char)at[i] : '?';
    }
    return tag;
}

bool isTag(const uint8_t *at, const char *tag) {
    return memcmp(at, tag, 4) == 0;
}

// What is wrong with a sample rate and a number of channels, or empty.
std::string badRateOrChannels(int64_t rate, int channels) {
    if (rate < lowestRate || rate > highestRate) {
        return "sample rate " + std::to_string(rate) + ", not 1000-192000";
    }
    if (channels < 1 || channels > mostChannels) {
        return std::to_string(channels) + " channels, not 1-8";
    }
    return "";
}

// What is wrong with the WAV format fields at `fields`, or empty.
std::string badFormat(const uint8_t *fields) {
    std::string problem = badRateOrChannels(le32(fields + 4), le16(fields + 2));
    uint16_t bits = le16(fields + 14);
    if (problem.empty() && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return std::to_string(bits) + " bits per sample, not 8, 16, 24 or 32";
    }
    return problem;
}

// An AIFF sample rate, an 80-bit extended float, as a whole number; a rate past
// what 32 bits hold reads as that much, so that it is out of range.
int64_t extendedRate(const uint8_t *at) {
    int exponent = (be16(at) & 0x7fff) - 16383;
    uint64_t mantissa = (uint64_t)be32(at + 2) << 32 | be32(at + 6);
    if ((at[0] & 0x80) != 0 || exponent < 0) {
        return 0;
    }
    return exponent > 31 ? (int64_t)1 << 32 : (int64_t)(mantissa >> (63 - exponent));
}

const int commBytes = 18; // channels, frames, bits, rate

// What is wrong with an AIFF "COMM" chunk's fields, or empty.
std::string badCommon(const uint8_t *fields, int64_t size, bool compressed) {
    if (size < commBytes + (compressed ? 4 : 0)) {
        return "common chunk of " + std::to_string(size) + " bytes";
    }
    std::string problem = badRateOrChannels(extendedRate(fields + 8), be16(fields));
    uint16_t bits = be16(fields + 6);
    if (problem.empty() && bits != 8 && bits != 16) {
        return std::to_string(bits) + " bits per sample, not 8 or 16";
    }
    if (problem.empty() && compressed && memcmp(fields + commBytes, "NONE", 4) != 0) {
        return "compressed AIFF-C ('" + shownTag(fields + commBytes) + "')";
    }
    return problem;
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
            // The mixer takes the first other chunk for the format chunk.
            if (!isTag(chunk, "fmt ")) {
                return "a '" + shownTag(chunk) + "' chunk before the format chunk";
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

std::string impossibleAiffHeader(const uint8_t *head, int64_t headSize, int64_t fileSize) {
    if (headSize < riffHeaderBytes || !isTag(head, "FORM") ||
        (!isTag(head + 8, "AIFF") && !isTag(head + 8, "AIFC"))) {
        return "";
    }
    bool compressed = isTag(head + 8, "AIFC");
    bool commonSeen = false, soundSeen = false;
    // Chunks are padded to an even length.
    for (int64_t at = riffHeaderBytes; !(commonSeen && soundSeen);) {
        if (at + chunkHeaderBytes > fileSize) {
            return commonSeen ? "no sound data chunk" : "no common chunk";
        }
        if (at + chunkHeaderBytes > headSize) {
            return "chunks before the sound data take more than its first " +
                   std::to_string(headSize) + " bytes";
        }
        const uint8_t *chunk = head + at;
        int64_t size = be32(chunk + 4);
        int64_t end = at + chunkHeaderBytes + size;
        if (end > fileSize) {
            return "chunk of " + std::to_string(size) + " bytes at byte " + std::to_string(at) +
                   " runs past the end of the file";
        }
        if (isTag(chunk, "COMM")) {
            int64_t fields = std::min<int64_t>(size, commBytes + 4);
            if (at + chunkHeaderBytes + fields > headSize) {
                return "common chunk of " + std::to_string(size) + " bytes";
            }
            std::string problem = badCommon(chunk + chunkHeaderBytes, size, compressed);
            if (!problem.empty()) {
                return problem;
            }
            commonSeen = true;
        }
        soundSeen = soundSeen || isTag(chunk, "SSND");
        at = end + (size & 1);
    }
    return "";
}

std::string impossibleMusicHeader(const uint8_t *head, int64_t headSize, int64_t fileSize) {
    std::string problem = impossibleWavHeader(head, headSize, fileSize);
    if (!problem.empty()) {
        return "WAV header (" + problem + ")";
    }
    problem = impossibleAiffHeader(head, headSize, fileSize);
    return problem.empty() ? "" : "AIFF header (" + problem + ")";
}
