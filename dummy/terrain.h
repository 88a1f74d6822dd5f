// Deterministic outlines for the landscape: integer value noise, so the same
// picture comes out of every build.
#pragma once

#include <cstdint>

namespace dummy {

std::uint32_t Hash(int x, int y, std::uint32_t seed);

// Heights 0..amplitude at every `period`-th x, joined by straight lines
// (jagged ridges) or by a smooth step (rolling hills).
int RidgeNoise(int x, int period, int amplitude, std::uint32_t seed);
int SmoothNoise(int x, int period, int amplitude, std::uint32_t seed);
// Height difference across the ridge segment that holds x.
int RidgeRise(int x, int period, int amplitude, std::uint32_t seed);

// Top row of each landscape layer at column x. The mountains' ridge is their
// outline without the small crags, and decides which slopes face the sun.
int MountainRidge(int x);
int MountainTop(int x);
bool MountainFacesSun(int x);
int FarHillTop(int x);
int GroundTop(int x);

}  // namespace dummy
