// The rules of one line of five cells, free of any window: which combination the cards make and
// what it is worth. Empty cells hold suit 0 and rank 0.
#pragma once

#include <cstdint>

struct HandValue {
    int16_t points;
    const char *name; // empty when the line makes nothing
};

HandValue evaluateHand(const int16_t suit[5], const int16_t rank[5]);
