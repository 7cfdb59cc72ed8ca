// The shuffle of a new game, free of any window: the pack in its order, suits 1 to 4 and ranks 1 to
// 13 within each, taken out card by card at random. Each card is taken once and the cards left keep
// their order, so with a uniform source every order of the pack is equally likely.
#pragma once

#include "rules/sizes.h"

#include <functional>

// nextRandom gives numbers r with 0 <= r < 1; the k-th card dealt is card floor(n * r + 1) of the
// n cards left.
void shufflePack(const std::function<double()> &nextRandom, int16_t suit[PackSize], int16_t rank[PackSize]);
