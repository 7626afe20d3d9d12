#include "4-data/digest.h"

#include <cstdio>

uint64_t addToDigest(uint64_t digest, const uint8_t *bytes, size_t count) {
    for (size_t i = 0; i < count; i++) {
        digest = (digest ^ bytes[i]) * 1099511628211ull;
    }
    return digest;
}

std::string digestText(uint64_t digest) {
    char text[17];
    snprintf(text, sizeof text, "%016llx", (unsigned long long)digest);
    return text;
}
