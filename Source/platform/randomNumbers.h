// The random numbers of the shuffle: a uniform generator of numbers in [0, 1), seeded from the clock.
#pragma once

namespace platform
{

// Seeds the generator from the clock.
void Randomize();

// The next number r with 0 <= r < 1.
double Rnd();

} // namespace platform
