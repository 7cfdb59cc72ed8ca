// Entering a new top score: a strict comparison puts it below every entry with the same score, so
// among equal scores the older stays above. A total that no longer beats any entry, because another
// copy of the game stored better ones meanwhile, enters nothing.
#include "topscores/FrmTopScore.h"

#include "state/modInitialize.h"

using namespace modInitialize;

void FrmTopScore::insertTopScore()
{
    int p = 0;
    const int last = TopEntries - 1;
    while (p < last && !(totalScore > topScore[p]))
        ++p;
    if (!(totalScore > topScore[p]))
        return;
    for (int j = last - 1; j >= p; --j) {
        topName[j + 1] = topName[j];
        topScore[j + 1] = topScore[j];
    }
    topName[p] = playerName;
    topScore[p] = totalScore;
}
