#include "noise.h"

#include <cmath>

#include "rng.h"

namespace {

double latticeValue(uint32_t seed, int x, int y) {
    return (hashNumbers(seed, (uint32_t)x, (uint32_t)y) & 0xFFFF) / 65535.0;
}

double smooth(double t) {
    return t * t * (3 - 2 * t);
}

} // namespace

double valueNoise(uint32_t seed, double x, double y, double cell) {
    double fx = x / cell;
    double fy = y / cell;
    int x0 = (int)std::floor(fx);
    int y0 = (int)std::floor(fy);
    double tx = smooth(fx - x0);
    double ty = smooth(fy - y0);
    double a = latticeValue(seed, x0, y0);
    double b = latticeValue(seed, x0 + 1, y0);
    double c = latticeValue(seed, x0, y0 + 1);
    double d = latticeValue(seed, x0 + 1, y0 + 1);
    double top = a + (b - a) * tx;
    double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(uint32_t seed, double x, double y, double cell, int octaves) {
    double sum = 0;
    double weight = 1;
    double total = 0;
    for (int i = 0; i < octaves && cell >= 1; ++i) {
        sum += weight * valueNoise(seed + (uint32_t)i * 7919u, x, y, cell);
        total += weight;
        weight *= 0.5;
        cell *= 0.5;
    }
    return total > 0 ? sum / total : 0;
}
