// The points of one line, from its rank and suit counts.
#include "coach/line.h"

#include "rules/handEvaluation.h"

namespace coach
{

namespace
{

constexpr uint16_t aceHighRun = 0x1E01; // 10, jack, queen, king and the ace in bit 0

// Five different ranks in a row, the ace below the 2 or above the king.
bool isRun(uint16_t rankMask)
{
    if (rankMask == aceHighRun)
        return true;
    const unsigned lowest = rankMask & (0u - rankMask);
    return rankMask == 0x1F * lowest;
}

int pointsOf(Combination combination)
{
    return combinationValues[combination].points;
}

} // namespace

int scoreLine(const Line &line)
{
    const RankGroups groups = countRankGroups(line);
    if (groups.fours)
        return pointsOf(FourOfAKind);
    if (groups.triplets)
        return pointsOf(groups.pairs ? FullHouse : Triplet);
    if (groups.pairs)
        return pointsOf(groups.pairs == 2 ? TwoPair : Pair);
    if (line.count < GridSize)
        return 0;
    const bool flush = (line.suitMask & (line.suitMask - 1)) == 0;
    const bool run = isRun(line.rankMask);
    if (flush && run)
        return pointsOf(line.rankMask == aceHighRun ? RoyalFlush : StraightFlush);
    if (flush)
        return pointsOf(Flush);
    return run ? pointsOf(Straight) : 0;
}

} // namespace coach
