// Smooth value noise for the generated landscapes: the overworld's height and
// moisture and the skylines of the pictures. Deterministic for a given seed.
#pragma once

#include <cstdint>

// Value noise in 0..1 at (x, y) with lattice spacing `cell`.
double valueNoise(uint32_t seed, double x, double y, double cell);

// Sum of `octaves` layers of value noise, halving the cell and the weight each
// time; the result is scaled back into 0..1.
double fractalNoise(uint32_t seed, double x, double y, double cell, int octaves);
