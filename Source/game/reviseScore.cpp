// Brings the scores up to date after a cell has changed: its row, its column, and the total.
#include "game/FrmMain.h"

#include "controls/LabelControl.h"
#include "state/modInitialize.h"

using namespace modInitialize;

void FrmMain::reviseScore(int targetCellX, int targetCellY)
{
    lblCombination->setText(QString());
    for (int k = 0; k <= 4; ++k) {
        handSuit[k] = gridSuit[k][targetCellY];
        handRank[k] = gridRank[k][targetCellY];
    }
    calculateScore();
    rowScore[targetCellY] = handScore;
    for (int k = 0; k <= 4; ++k) {
        handSuit[k] = gridSuit[targetCellX][k];
        handRank[k] = gridRank[targetCellX][k];
    }
    calculateScore();
    columnScore[targetCellX] = handScore;

    // Summed afresh from all ten lines, so an undo needs no bookkeeping of its own.
    totalScore = 0;
    for (int i = 0; i <= 4; ++i)
        totalScore = static_cast<int16_t>(totalScore + rowScore[i] + columnScore[i]);
    lblTotal->setText(QStringLiteral("Current Score: ") + QString::number(totalScore));
    nameCombination();
}
