// A new game, the draw through the pack, and the New and Quit buttons.
#include "game/FrmMain.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "platform/randomNumbers.h"
#include "rules/shuffle.h"

#include <QCoreApplication>

using namespace modInitialize;

void FrmMain::Form_Load()
{
    for (int16_t y = 0; y < GridSize; ++y) {
        for (int16_t x = 0; x < GridSize; ++x)
            setCellUnavailable(x, y);
        rowScore[y] = 0;
        columnScore[y] = 0;
    }

    platform::Randomize();
    shufflePack(platform::Rnd, packSuit, packRank);

    totalScore = 0;
    lastCellX = -1;
    lastCellY = -1;
    lblTotal->setText(QStringLiteral("Current Score: 0"));
    lblCombination->setText(QString());
    nameCombination();

    // The first card is laid in the centre without a score.
    packPosition = 0;
    setCellOccupied(2, 2, packSuit[0], packRank[0]);
    setCellAvailable(2, 1);
    setCellAvailable(2, 3);
    setCellAvailable(1, 2);
    setCellAvailable(3, 2);
    drawCardFromPack();
    refreshTarget();
}

void FrmMain::drawCardFromPack()
{
    if (packPosition + 1 == LastCard) {
        packPosition = LastCard;
        endGame();
        return;
    }
    // Both pictures are loaded before anything changes, so a missing one leaves the game as it was.
    const int16_t waiting = static_cast<int16_t>(packPosition + 1);
    const QImage waitingCard = loadCardImage(packSuit[waiting], packRank[waiting]);
    const QImage nextCard = loadCardImage(packSuit[waiting + 1], packRank[waiting + 1]);
    packPosition = waiting;
    imgPack->setPicture(waitingCard);
    imgNextCard->setPicture(nextCard);
    nameCards();
}

void FrmMain::cmdNew_Click()
{
    Form_Load();
}

void FrmMain::cmdQuit_Click()
{
    QCoreApplication::exit(0);
}
