// The features of an unfinished line that choose its table entry: how many cards it holds, how
// its ranks group, whether a flush or a run can still come and how many cards could bring them,
// and how much of the game is left to fill it.
#include "coach/lineValue.h"

#include <algorithm>

namespace coach
{

namespace
{

// Grid empties 0 to 24 in coarser steps towards the start, where one more or less matters little.
constexpr int8_t phaseOfEmpties[25] = {0, 0, 1, 2, 3,  4,  5,  6,  6,  7,  7,  8, 8,
                                       8, 9, 9, 9, 10, 10, 10, 10, 11, 11, 11, 11};

constexpr int bucketRankOuts(int outs)
{
    return outs == 0 ? 0 : outs <= 3 ? 1 : outs <= 6 ? 2 : 3;
}
constexpr int bucketKickerOuts(int outs)
{
    return outs == 0 ? 0 : outs <= 2 ? 1 : outs <= 4 ? 2 : 3;
}

// The ten runs of five ranks: ace to 5 ... 9 to king, then 10 to ace.
constexpr uint16_t runMasks[10] = {0x1F, 0x3E, 0x7C, 0xF8, 0x1F0, 0x3E0, 0x7C0, 0xF80, 0x1F00, 0x1E01};

// Runs that hold all the line's ranks and whose missing ranks all have a card left.
int countLiveRuns(uint16_t rankMask, uint16_t poolRanks)
{
    int live = 0;
    for (const uint16_t run : runMasks) {
        if ((rankMask & ~run) == 0 && (run & ~rankMask & ~poolRanks) == 0)
            ++live;
    }
    return live;
}

// The cards left of the ranks the line holds, those held once and those held more often.
void countRankOuts(const Line &line, const Pool &pool, int &singleOuts, int &groupOuts)
{
    singleOuts = groupOuts = 0;
    for (unsigned ranks = line.rankMask; ranks != 0; ranks &= ranks - 1) {
        const int rank = __builtin_ctz(ranks);
        const int held = static_cast<int>((line.rankCounts >> (4 * rank)) & 0xF);
        (held == 1 ? singleOuts : groupOuts) += pool.rankCount[rank];
    }
}

int findRankPattern(const Line &line)
{
    const RankGroups groups = countRankGroups(line);
    if (groups.fours)
        return 6;
    if (groups.triplets)
        return line.count == 3 ? 2 : 5;
    if (groups.pairs == 2)
        return 4;
    return line.count - 2; // one pair among 2, 3 or 4 cards
}

} // namespace

int findLineValueKey(const Line &line, const Pool &pool, int gridEmpties)
{
    const int phase = phaseOfEmpties[gridEmpties];
    if (line.count == 0)
        return phase;
    int singleOuts;
    int groupOuts;
    countRankOuts(line, pool, singleOuts, groupOuts);
    if (__builtin_popcount(line.rankMask) == line.count) {
        const int empties = 5 - line.count;
        int flush = 0;
        if ((line.suitMask & (line.suitMask - 1)) == 0) {
            const int suitLeft = pool.suitCount[__builtin_ctz(line.suitMask)] - empties;
            flush = suitLeft < 0 ? 0 : 1 + std::min(suitLeft, flushBuckets - 2);
        }
        const int runs = std::min(countLiveRuns(line.rankMask, pool.rankMask), runBuckets - 1);
        return emptyLineKeys +
               (((((line.count - 1) * phaseCount + phase) * flushBuckets + flush) * runBuckets + runs) *
                    rankOutBuckets +
                bucketRankOuts(singleOuts));
    }
    return emptyLineKeys + distinctRankKeys +
           ((findRankPattern(line) * phaseCount + phase) * pairOutBuckets + std::min(groupOuts, 4)) *
               kickerOutBuckets +
           bucketKickerOuts(singleOuts);
}

} // namespace coach
