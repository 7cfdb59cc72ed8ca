// One line of five cells held as counts of its ranks and suits, so that a card goes in with a few
// additions and the line's points come from bit arithmetic. Cards are numbered RankCount * (suit - 1)
// + (rank - 1), 0 to PackSize - 1.
#pragma once

#include "rules/sizes.h"

#include <cstdint>

namespace coach
{

constexpr int findSuit(int card)
{
    return card / RankCount;
}
constexpr int findRank(int card)
{
    return card % RankCount;
}
constexpr int makeCard(int suit, int rank)
{
    return RankCount * (suit - 1) + (rank - 1);
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

constexpr uint64_t lowRankBits = 0x1111111111111ull; // the lowest bit of each rank's count

// How many ranks have the bit given for them: one multiplication adds the 13 bits up in the top
// four bits of the ranks' counts, without a call for counting bits where the processor has no
// instruction for it.
constexpr int countRanks(uint64_t bits)
{
    return static_cast<int>((bits * lowRankBits) >> (4 * (RankCount - 1)) & 0xF);
}

inline RankGroups countRankGroups(const Line &line)
{
    const uint64_t bit0 = line.rankCounts & lowRankBits;
    const uint64_t bit1 = (line.rankCounts >> 1) & lowRankBits;
    const uint64_t bit2 = (line.rankCounts >> 2) & lowRankBits;
    return {countRanks(bit1 & ~bit0), countRanks(bit1 & bit0), countRanks(bit2)};
}

// No rank twice or more.
inline bool hasDistinctRanks(const Line &line)
{
    return (line.rankCounts & ~lowRankBits) == 0;
}

// The line's points by the game's rules: rank groups count at once, the five-card combinations only
// in a full line.
int scoreLine(const Line &line);

} // namespace coach
