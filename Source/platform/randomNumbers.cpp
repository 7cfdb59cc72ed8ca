// A 64-bit Mersenne twister seeded from the clock; its output is fixed by the C++ standard, so a fixed
// clock deals the same game on every system.
#include "platform/randomNumbers.h"

#include "platform/testHooks.h"

#include <chrono>
#include <random>

namespace platform
{

static uint64_t readSystemClock()
{
    return static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

static uint64_t (*readClock)() = readSystemClock;
static std::mt19937_64 generator;

void setClock(uint64_t (*read)())
{
    readClock = read ? read : readSystemClock;
}

void Randomize()
{
    generator.seed(readClock());
}

double Rnd()
{
    // The top 53 bits make a double in [0, 1) with every value equally likely.
    return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

} // namespace platform
