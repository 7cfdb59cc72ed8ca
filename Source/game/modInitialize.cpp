// The shared state, zero and empty at start, and the start routine.
#include "game/modInitialize.h"

#include "game/FrmMain.h"
#include "topscores/topScoreStore.h"

namespace modInitialize
{

int16_t packSuit[52];
int16_t packRank[52];
int16_t gridSuit[5][5];
int16_t gridRank[5][5];
int32_t gridState[5][5];
int16_t rowScore[5];
int16_t columnScore[5];
int16_t totalScore;
int16_t handSuit[5];
int16_t handRank[5];
int16_t handScore;
std::string topName[5];
int16_t topScore[5];
std::string playerName;
int16_t lastCellX;
int16_t lastCellY;
int32_t lastStateAbove;
int32_t lastStateBelow;
int32_t lastStateLeft;
int32_t lastStateRight;
int16_t ctrlKeyDown;
int16_t targetCell;
int16_t packPosition;

void Main()
{
    loadTopScores();
    if (!frmMain)
        frmMain = new FrmMain;
    frmMain->show();
}

} // namespace modInitialize
