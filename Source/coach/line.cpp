// The points of one line, from its rank and suit counts.
#include "coach/line.h"

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

} // namespace

int scoreLine(const Line &line)
{
    const RankGroups groups = countRankGroups(line);
    if (groups.fours)
        return 50;
    if (groups.triplets)
        return groups.pairs ? 25 : 10;
    if (groups.pairs)
        return groups.pairs == 2 ? 5 : 2;
    if (line.count < 5)
        return 0;
    const bool flush = (line.suitMask & (line.suitMask - 1)) == 0;
    const bool run = isRun(line.rankMask);
    if (flush && run)
        return line.rankMask == aceHighRun ? 100 : 75;
    if (flush)
        return 20;
    return run ? 15 : 0;
}

} // namespace coach
