// Pairs, two pairs, triplets and four of a kind count as soon as their cards lie in the line;
// straights, flushes and full houses need all five cells.
#include "rules/handEvaluation.h"

const HandValue combinationValues[CombinationCount] = {
    {2, "Pair"},        {5, "Two Pair"},        {10, "Triplet"},        {15, "Straight"},     {20, "Flush"},
    {25, "Full House"}, {50, "Four of a Kind"}, {75, "Straight Flush"}, {100, "Royal Flush"},
};

namespace
{

struct RankGroups {
    bool pair = false;
    bool twoPair = false;
    bool triplet = false;
    bool fourOfAKind = false;
    bool fullHouse = false;
};

// Every card of a group passes through here, so a group is seen two, three or four times; in
// any order of the cards the flags settle on the one group pattern the line holds.
RankGroups findRankGroups(const int16_t rank[5])
{
    RankGroups g;
    int16_t pairRank = 0;
    for (int i = 0; i <= 4; ++i) {
        if (rank[i] == 0)
            continue;
        int count = 0;
        for (int j = 0; j <= 4; ++j) {
            if (rank[j] == rank[i])
                ++count;
        }
        if (count == 4) {
            g.fourOfAKind = true;
            g.pair = g.twoPair = g.triplet = g.fullHouse = false;
        } else if (count == 3) {
            if (g.pair) {
                g.fullHouse = true;
                g.pair = false;
            } else if (!g.fullHouse) {
                g.triplet = true;
            }
        } else if (count == 2) {
            if (g.triplet) {
                g.fullHouse = true;
                g.triplet = false;
            } else if (!g.fullHouse) {
                if (g.pair && rank[i] != pairRank) {
                    g.twoPair = true;
                    g.pair = false;
                } else if (!g.twoPair) {
                    g.pair = true;
                    pairRank = rank[i];
                }
            }
        }
    }
    return g;
}

// Five cards of one suit; an empty cell anywhere spoils it.
bool isFlush(const int16_t suit[5])
{
    for (int i = 1; i <= 4; ++i) {
        if (suit[i] != suit[0] || suit[i] == 0)
            return false;
    }
    return true;
}

int16_t lowestRank(const int16_t rank[5])
{
    int16_t lowest = 13;
    for (int i = 0; i <= 4; ++i) {
        if (rank[i] < lowest && rank[i] != 0)
            lowest = rank[i];
    }
    return lowest;
}

// Lowest, lowest + 1, ... lowest + 4 in any order: five passes collect a run of five.
bool isStraightFrom(const int16_t rank[5], int16_t lowest)
{
    int wanted = lowest + 1;
    int run = 1;
    for (int pass = 0; pass < 5; ++pass) {
        for (int i = 0; i <= 4; ++i) {
            if (rank[i] == wanted) {
                ++run;
                ++wanted;
            }
        }
    }
    return run == 5;
}

// 10, jack, queen, king and an ace: the ace counts once the king has been found.
bool isAceHighStraight(const int16_t rank[5])
{
    int wanted = 10;
    int count = 0;
    for (int pass = 0; pass < 5; ++pass) {
        for (int i = 0; i <= 4; ++i) {
            if (rank[i] == wanted) {
                ++count;
                ++wanted;
            }
            if (wanted == 14) {
                ++count;
                wanted = 15;
            }
        }
    }
    return count == 5;
}

} // namespace

HandValue evaluateHand(const int16_t suit[5], const int16_t rank[5])
{
    const RankGroups g = findRankGroups(rank);
    bool flush = isFlush(suit);
    const int16_t lowest = lowestRank(rank);
    bool straight = isStraightFrom(rank, lowest);
    const bool aceHigh = lowest == 1 && isAceHighStraight(rank);

    bool royalFlush = false;
    bool straightFlush = false;
    if (aceHigh && flush) {
        royalFlush = true;
        flush = false;
        straight = false;
    } else if (straight || aceHigh) {
        straight = true;
        if (flush) {
            straightFlush = true;
            flush = false;
            straight = false;
        }
    }

    // One pack holds no card twice, so at most one flag is left set here.
    const struct {
        bool set;
        Combination combination;
    } found[] = {
        {g.pair, Pair},           {g.twoPair, TwoPair}, {g.triplet, Triplet}, {g.fourOfAKind, FourOfAKind},
        {g.fullHouse, FullHouse}, {flush, Flush},       {straight, Straight}, {straightFlush, StraightFlush},
        {royalFlush, RoyalFlush},
    };
    HandValue value{0, ""};
    for (const auto &candidate : found) {
        if (candidate.set)
            value = combinationValues[candidate.combination];
    }
    return value;
}
