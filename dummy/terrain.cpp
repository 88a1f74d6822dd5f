#include "dummy/terrain.h"

namespace dummy {

namespace {

int LatticeHeight(int cell, int amplitude, std::uint32_t seed) {
    return static_cast<int>(Hash(cell, 0, seed) % static_cast<std::uint32_t>(amplitude + 1));
}

// x = cell * period + t with 0 <= t < period, for negative x too.
void Split(int x, int period, int& cell, int& t) {
    cell = x >= 0 ? x / period : -((-x + period - 1) / period);
    t = x - cell * period;
}

}  // namespace

std::uint32_t Hash(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

int RidgeNoise(int x, int period, int amplitude, std::uint32_t seed) {
    int cell, t;
    Split(x, period, cell, t);
    const int a = LatticeHeight(cell, amplitude, seed), b = LatticeHeight(cell + 1, amplitude, seed);
    return a + (b - a) * t / period;
}

int RidgeRise(int x, int period, int amplitude, std::uint32_t seed) {
    int cell, t;
    Split(x, period, cell, t);
    return LatticeHeight(cell + 1, amplitude, seed) - LatticeHeight(cell, amplitude, seed);
}

int SmoothNoise(int x, int period, int amplitude, std::uint32_t seed) {
    int cell, t;
    Split(x, period, cell, t);
    const int a = LatticeHeight(cell, amplitude, seed), b = LatticeHeight(cell + 1, amplitude, seed);
    // Smooth step s = t^2 (3p - 2t) / p^3, kept in integers.
    const long long p = period;
    const long long s = 1LL * t * t * (3 * p - 2 * t);
    return a + static_cast<int>((b - a) * s / (p * p * p));
}

int MountainRidge(int x) { return 132 + RidgeNoise(x + 40, 118, 84, 11) + RidgeNoise(x, 41, 16, 12); }

bool MountainFacesSun(int x) {
    // Sign of the ridge's exact slope (rows grow downwards, the sun is right).
    return RidgeRise(x + 40, 118, 84, 11) * 41 + RidgeRise(x, 41, 16, 12) * 118 > 0;
}

int MountainTop(int x) { return MountainRidge(x) + RidgeNoise(x, 9, 4, 13); }

int FarHillTop(int x) { return 220 + SmoothNoise(x, 131, 24, 21) + SmoothNoise(x, 43, 7, 22); }

int GroundTop(int x) { return 254 + SmoothNoise(x, 173, 16, 31) + SmoothNoise(x, 57, 6, 32); }

}  // namespace dummy
