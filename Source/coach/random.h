// The coach's own random numbers: the same sequence from the same seed on every machine and library.
#pragma once

#include <cstdint>

namespace coach
{

struct Random {
    uint64_t state;
};

// One step of splitmix64.
inline uint64_t drawRandom(Random &random)
{
    uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A number from 0 to n - 1; the bias of the multiplication is far too small to matter here.
inline int drawBelow(Random &random, int n)
{
    return static_cast<int>((static_cast<unsigned __int128>(drawRandom(random)) * static_cast<unsigned>(n)) >>
                            64);
}

} // namespace coach
