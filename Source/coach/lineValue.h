// What an unfinished line is worth: its cards and the cards still out, reduced to a few numbers
// that pick one entry of a table of expected final points.
#pragma once

#include "coach/line.h"

namespace coach
{

// The cards not on the grid, the waiting and the next card among them.
struct Pool {
    uint8_t suitCount[SuitCount];
    uint8_t rankCount[RankCount];
    uint16_t rankMask; // the ranks with a card left
};

// The phase of the game by the grid's empty cells: one by one near the end, where a cell more or less
// changes what a line can still become; one phase from 7 empty cells back to the start. Finer phases
// early on leave each entry fewer games to learn from, and the coach's quick choice plays worse by them.
constexpr int8_t phaseOfEmpties[CellCount] = {0, 0, 1, 2, 3, 4, 5, 6, 6, 6, 6, 6, 6,
                                              6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6};
constexpr int phaseCount = 7;

// The kinds of unfinished line, each with a block of the table: empty; one to four cards of
// different ranks; a rank twice or more, alone or beside others.
enum LineKind {
    EmptyLine,
    OneRank,
    TwoRanks,
    ThreeRanks,
    FourRanks,
    PairAlone,
    PairAndOne,
    PairAndTwo,
    TwoPairs,
    TripletAlone,
    TripletAndOne,
    FourAlike,
    LineKindCount
};

// How many values each feature of a kind's lines can take. A line of different ranks is known by
// whether its one suit can still fill it and with how many of the suit's cards to spare (flushes: no
// flush, or 0 to 8 to spare), its runs of five that can still come (runs: none, one, two or more) and
// the cards left of its ranks (outs); a line with a rank twice or more by the cards left of its
// grouped ranks (outs) and of its other ranks (kickers). Each kind is known by the phase too, from the
// first its empty cells allow.
struct LineBlock {
    int cards;
    int flushes, runs, outs, kickers;
};
constexpr LineBlock lineBlocks[LineKindCount] = {
    {0, 1, 1, 1, 1},  // EmptyLine
    {1, 10, 3, 2, 1}, // OneRank: 0, or 1 to 3 cards left of its rank
    {2, 10, 3, 3, 1}, // TwoRanks: 0, 1 to 3, or 4 to 6 left
    {3, 10, 3, 3, 1}, // ThreeRanks: up to 3, 4 to 6, or more left
    {4, 10, 3, 3, 1}, // FourRanks: as three; four ranks fit two runs at most
    {2, 1, 1, 3, 1},  // PairAlone: 0 to 2 left of the pair's rank
    {3, 1, 1, 3, 3},  // PairAndOne: and 0, 1 or 2, or 3 left of the other
    {4, 1, 1, 3, 4},  // PairAndTwo: and 0, 1 or 2, 3 or 4, or more left of the others
    {4, 1, 1, 5, 1},  // TwoPairs: 0 to 4 left of the pairs' ranks
    {3, 1, 1, 2, 1},  // TripletAlone: 0 or 1 left of its rank
    {4, 1, 1, 2, 3},  // TripletAndOne: and 0, 1 or 2, or 3 left of the other
    {4, 1, 1, 1, 1},  // FourAlike: none left
};

constexpr int findFirstPhase(const LineBlock &block)
{
    return phaseOfEmpties[GridSize - block.cards];
}

// Where each kind's block begins; the last entry is the size of the whole table.
struct LineBlockStarts {
    int keys[LineKindCount + 1];
    constexpr LineBlockStarts() : keys()
    {
        for (int kind = 0; kind < LineKindCount; ++kind) {
            const LineBlock &block = lineBlocks[kind];
            keys[kind + 1] = keys[kind] + (phaseCount - findFirstPhase(block)) * block.flushes * block.runs *
                                              block.outs * block.kickers;
        }
    }
};
constexpr LineBlockStarts lineBlockStarts;
constexpr int lineValueKeyCount = lineBlockStarts.keys[LineKindCount];

// The table, 1/64 point a unit, written by tools/coachTableGenerator.cpp into lineValueTable.cpp.
extern const uint16_t lineValueTable[lineValueKeyCount];

// The table entry of a line that still has an empty cell, when gridEmpties cells of the grid are
// empty and pool holds the cards not on the grid.
int findLineValueKey(const Line &line, const Pool &pool, int gridEmpties);

// The expected final points of the line: exact for a full line, from the table otherwise.
inline float valueLine(const Line &line, const Pool &pool, int gridEmpties, const float *values)
{
    if (line.count == GridSize)
        return static_cast<float>(scoreLine(line));
    return values[findLineValueKey(line, pool, gridEmpties)];
}

} // namespace coach
