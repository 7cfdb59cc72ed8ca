// One line of five cells held as counts of its ranks and suits, so that a card goes in with a few
// additions and the line's points come from bit arithmetic. Cards are numbered 13 * (suit - 1) +
// (rank - 1), 0 to 51.
#pragma once

#include <cstdint>

namespace coach
{

constexpr int findSuit(int card)
{
    return card / 13;
}
constexpr int findRank(int card)
{
    return card % 13;
}
constexpr int makeCard(int suit, int rank)
{
    return 13 * (suit - 1) + (rank - 1);
}

struct Line {
    uint64_t rankCounts = 0; // four bits a rank, rank 1 lowest
    uint16_t rankMask = 0;   // the ranks present, ace in bit 0
    uint8_t count = 0;       // cards in the line
    uint8_t suitMask = 0;    // the suits present
};

inline void addCard(Line &line, int card)
{
    line.rankCounts += uint64_t{1} << (4 * findRank(card));
    line.rankMask = static_cast<uint16_t>(line.rankMask | (1u << findRank(card)));
    line.suitMask = static_cast<uint8_t>(line.suitMask | (1u << findSuit(card)));
    ++line.count;
}

// How many ranks of the line appear exactly twice, three times and four times.
struct RankGroups {
    int pairs;
    int triplets;
    int fours;
};

inline RankGroups countRankGroups(const Line &line)
{
    constexpr uint64_t lowBits = 0x1111111111111ull;
    const uint64_t bit0 = line.rankCounts & lowBits;
    const uint64_t bit1 = (line.rankCounts >> 1) & lowBits;
    const uint64_t bit2 = (line.rankCounts >> 2) & lowBits;
    return {__builtin_popcountll(bit1 & ~bit0), __builtin_popcountll(bit1 & bit0),
            __builtin_popcountll(bit2)};
}

// The line's points by the game's rules: rank groups count at once, the five-card combinations only
// in a full line.
int scoreLine(const Line &line);

} // namespace coach
