// What an unfinished line is worth: its cards and the cards still out, reduced to a few numbers
// that pick one entry of a table of expected final points.
#pragma once

#include "coach/line.h"

namespace coach
{

// The cards not on the grid, the waiting and the next card among them.
struct Pool {
    uint8_t suitCount[4];
    uint8_t rankCount[13];
    uint16_t rankMask; // the ranks with a card left
};

// The dimensions of the table. A line of different ranks is known by its number of cards, the
// phase, whether its one suit can still fill it and with how many cards to spare, its runs of five
// that can still come (up to 3) and the cards left of its ranks. A line with a rank twice or more is
// known by its pattern of groups, the phase, the cards left of its grouped ranks and of its others.
constexpr int phaseCount = 12;
constexpr int flushBuckets = 10;
constexpr int runBuckets = 4;
constexpr int rankOutBuckets = 4;
constexpr int rankPatterns = 7;
constexpr int pairOutBuckets = 5;
constexpr int kickerOutBuckets = 4;

constexpr int emptyLineKeys = phaseCount;
constexpr int distinctRankKeys = 4 * phaseCount * flushBuckets * runBuckets * rankOutBuckets;
constexpr int groupedRankKeys = rankPatterns * phaseCount * pairOutBuckets * kickerOutBuckets;
constexpr int lineValueKeyCount = emptyLineKeys + distinctRankKeys + groupedRankKeys;

// The table, 1/64 point a unit, written by tools/coachTableGenerator.cpp into lineValueTable.cpp.
extern const uint16_t lineValueTable[lineValueKeyCount];

// The table entry of a line that still has an empty cell, when gridEmpties cells of the grid are
// empty and pool holds the cards not on the grid.
int findLineValueKey(const Line &line, const Pool &pool, int gridEmpties);

// The expected final points of the line: exact for a full line, from the table otherwise.
inline float valueLine(const Line &line, const Pool &pool, int gridEmpties, const float *values)
{
    if (line.count == 5)
        return static_cast<float>(scoreLine(line));
    return values[findLineValueKey(line, pool, gridEmpties)];
}

} // namespace coach
