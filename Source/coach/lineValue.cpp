// The features of an unfinished line that choose its table entry: what kind of line it is, whether
// a flush or a run can still come and how many cards could bring them or add to its groups, and how
// much of the game is left to fill it.
#include "coach/lineValue.h"

#include <algorithm>

namespace coach
{

namespace
{

// The ten runs of five ranks: ace to 5 ... 9 to king, then 10 to ace.
constexpr uint16_t runMasks[10] = {0x1F, 0x3E, 0x7C, 0xF8, 0x1F0, 0x3E0, 0x7C0, 0xF80, 0x1F00, 0x1E01};

// For each set of ranks, the runs that hold them all: bit k for runMasks[k].
struct RunsHolding {
    uint16_t runs[1 << RankCount];
    constexpr RunsHolding() : runs()
    {
        for (unsigned ranks = 0; ranks < (1u << RankCount); ++ranks) {
            for (int k = 0; k < 10; ++k) {
                if ((ranks & ~runMasks[k]) == 0)
                    runs[ranks] = static_cast<uint16_t>(runs[ranks] | (1u << k));
            }
        }
    }
};
constexpr RunsHolding runsHolding;

// Runs that hold all the line's ranks and whose missing ranks all have a card left.
int countLiveRuns(uint16_t rankMask, uint16_t poolRanks)
{
    int live = 0;
    for (unsigned runs = runsHolding.runs[rankMask]; runs != 0; runs &= runs - 1) {
        if ((runMasks[__builtin_ctz(runs)] & ~rankMask & ~poolRanks) == 0)
            ++live;
    }
    return live;
}

// The cards left of the ranks the line holds once, and of those it holds more often.
struct Outs {
    int single;
    int grouped;
};

Outs countOuts(const Line &line, const Pool &pool)
{
    Outs outs{0, 0};
    for (unsigned ranks = line.rankMask; ranks != 0; ranks &= ranks - 1) {
        const int rank = __builtin_ctz(ranks);
        const int held = static_cast<int>((line.rankCounts >> (4 * rank)) & 0xF);
        (held == 1 ? outs.single : outs.grouped) += pool.rankCount[rank];
    }
    return outs;
}

// A line's kind and its features, each counted from 0 within its kind's block.
struct LineFeatures {
    LineKind kind;
    int flush, runs, outs, kickers;
};

LineFeatures describeDistinctRanks(const Line &line, const Pool &pool, const Outs &outs)
{
    LineFeatures features{static_cast<LineKind>(OneRank + line.count - 1), 0, 0, 0, 0};
    if ((line.suitMask & (line.suitMask - 1)) == 0) {
        const int suitLeft = pool.suitCount[__builtin_ctz(line.suitMask)] - (GridSize - line.count);
        // At most the suit's other 8 cards are left beyond those the empty cells need.
        features.flush = suitLeft < 0 ? 0 : 1 + suitLeft;
    }
    const LineBlock &block = lineBlocks[features.kind];
    features.runs = std::min(countLiveRuns(line.rankMask, pool.rankMask), block.runs - 1);
    // Three ranks or more almost always keep a card left; none left counts with a few.
    const int bucket = outs.single == 0 ? 0 : outs.single <= 3 ? 1 : outs.single <= 6 ? 2 : 3;
    features.outs = std::max(bucket - (line.count >= 3), 0);
    return features;
}

LineFeatures describeGroupedRanks(const Line &line, const Outs &outs)
{
    const RankGroups groups = countRankGroups(line);
    LineKind kind;
    if (groups.fours)
        kind = FourAlike;
    else if (groups.triplets)
        kind = line.count == 3 ? TripletAlone : TripletAndOne;
    else if (groups.pairs == 2)
        kind = TwoPairs;
    else
        kind = static_cast<LineKind>(PairAlone + line.count - 2);
    const int kickers = outs.single == 0 ? 0 : outs.single <= 2 ? 1 : outs.single <= 4 ? 2 : 3;
    return {kind, 0, 0, outs.grouped, kickers};
}

} // namespace

int findLineValueKey(const Line &line, const Pool &pool, int gridEmpties)
{
    // A line valued as it was before the card went into it may have more empty cells than the grid
    // has left: then every cell the card could take lies in it, and its value drops out of the
    // comparison. It is valued as if the grid had those cells empty.
    const int phase = phaseOfEmpties[std::max(gridEmpties, GridSize - line.count)];
    LineFeatures features{EmptyLine, 0, 0, 0, 0};
    if (line.count > 0) {
        const Outs outs = countOuts(line, pool);
        features = hasDistinctRanks(line) ? describeDistinctRanks(line, pool, outs)
                                          : describeGroupedRanks(line, outs);
    }
    const LineBlock &block = lineBlocks[features.kind];
    return lineBlockStarts.keys[features.kind] +
           ((((phase - findFirstPhase(block)) * block.flushes + features.flush) * block.runs +
             features.runs) *
                block.outs +
            features.outs) *
               block.kickers +
           features.kickers;
}

} // namespace coach
