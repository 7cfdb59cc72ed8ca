// The end of a game: the 25th card lies on the table.
#include "game/FrmMain.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "topscores/FrmTopScore.h"

#include <QPushButton>

using namespace modInitialize;

static bool beatsAnEntry(int16_t total)
{
    for (int n = 0; n < TopEntries; ++n) {
        if (total > topScore[n])
            return true;
    }
    return false;
}

void FrmMain::showTopScoreDialog()
{
    if (!frmTopScore)
        frmTopScore = new FrmTopScore(this);
    frmTopScore->exec();
}

void FrmMain::endGame()
{
    const QImage noMoreCards = loadCardImage(0, 0);
    imgPack->setPicture(QImage());
    lastCellX = -1;
    lastCellY = -1;
    imgNextCard->setPicture(noMoreCards);
    nameCards();
    lblTotal->setText(QStringLiteral("Total: ") + QString::number(totalScore));
    // The last card and the total are heard before the top-score dialog takes the focus.
    refreshTarget();
    if (beatsAnEntry(totalScore))
        showTopScoreDialog();
    cmdNew->setFocus();
}
