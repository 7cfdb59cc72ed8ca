// The rules of one line of five cells, free of any window: which combination the cards make and
// what it is worth. Empty cells hold suit 0 and rank 0.
#pragma once

#include <cstdint>

struct HandValue {
    int16_t points;
    const char *name; // empty when the line makes nothing
};

// The combinations from the least to the most valuable, as the scoring window lists them.
enum Combination {
    Pair,
    TwoPair,
    Triplet,
    Straight,
    Flush,
    FullHouse,
    FourOfAKind,
    StraightFlush,
    RoyalFlush,
    CombinationCount
};

// Each combination's name, as the combination label shows it, and its points.
extern const HandValue combinationValues[CombinationCount];

HandValue evaluateHand(const int16_t suit[5], const int16_t rank[5]);
