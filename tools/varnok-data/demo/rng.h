// The fixed-seed random numbers behind every generated piece of the demo world.
// Each generator makes its own Rng from a seed, so the output never varies.
#pragma once

#include <cstdint>

struct Rng {
    uint64_t state;
};

Rng makeRng(uint64_t seed);

// Next 32 random bits (splitmix64, upper half).
uint32_t nextRandom(Rng &rng);

// A number in 0..n-1; 0 when n is not positive.
int randomBelow(Rng &rng, int n);

// A number in lo..hi inclusive.
int randomBetween(Rng &rng, int lo, int hi);

// Stateless hash of a few numbers to 32 bits; the basis of the noise fields.
uint32_t hashNumbers(uint32_t a, uint32_t b, uint32_t c);
