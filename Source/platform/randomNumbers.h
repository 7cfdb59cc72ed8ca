// The random numbers of the shuffle: a uniform generator of numbers in [0, 1), seeded from the clock.
#pragma once

#include <cstdint>

namespace platform
{

// Seeds the generator from the clock.
void Randomize();

// The next number r with 0 <= r < 1.
double Rnd();

// Where Randomize reads the clock; tests fix it to deal a known game.
extern uint64_t (*readClock)();

} // namespace platform
