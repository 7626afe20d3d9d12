#include "rng.h"

Rng makeRng(uint64_t seed) {
    Rng rng;
    rng.state = seed * 0x9E3779B97F4A7C15ull + 0x1234567ull;
    return rng;
}

uint32_t nextRandom(Rng &rng) {
    rng.state += 0x9E3779B97F4A7C15ull;
    uint64_t z = rng.state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return (uint32_t)(z >> 32);
}

int randomBelow(Rng &rng, int n) {
    if (n <= 0) {
        return 0;
    }
    return (int)(nextRandom(rng) % (uint32_t)n);
}

int randomBetween(Rng &rng, int lo, int hi) {
    return lo + randomBelow(rng, hi - lo + 1);
}

uint32_t hashNumbers(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = a * 0x8DA6B343u ^ b * 0xD8163841u ^ c * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}
