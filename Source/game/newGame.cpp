// A new game, the draw through the pack, and the New and Quit buttons.
#include "game/FrmMain.h"

#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
#include "game/modInitialize.h"
#include "platform/loadPicture.h"
#include "platform/randomNumbers.h"

#include <QCoreApplication>
#include <cmath>
#include <string>

using namespace modInitialize;

void FrmMain::Form_Load()
{
    for (int16_t y = 0; y <= 4; ++y) {
        for (int16_t x = 0; x <= 4; ++x) {
            setCellUnavailable(x, y);
            gridSuit[x][y] = 0;
            gridRank[x][y] = 0;
            gridState[x][y] = 0;
        }
        rowScore[y] = 0;
        columnScore[y] = 0;
    }

    // The unshuffled pack, two letters a card: 64 + suit, then 64 + rank.
    std::string pack;
    for (int suit = 1; suit <= 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            pack += static_cast<char>(64 + suit);
            pack += static_cast<char>(64 + rank);
        }
    }

    // Selection without replacement: each card is taken out of the text once, the rest keep
    // their order.
    platform::Randomize();
    for (int k = 0; k <= 51; ++k) {
        const auto n = static_cast<double>(pack.size() / 2);
        const auto p = static_cast<size_t>(std::floor(n * platform::Rnd() + 1));
        packSuit[k] = static_cast<int16_t>(pack[2 * p - 2] - 64);
        packRank[k] = static_cast<int16_t>(pack[2 * p - 1] - 64);
        pack.erase(2 * p - 2, 2);
    }

    totalScore = 0;
    lastCellX = -1;
    lastCellY = -1;
    lblTotal->setText(QStringLiteral("Current Score: 0"));
    lblCombination->setText(QString());

    // The first card is laid in the centre without a score.
    packPosition = 0;
    setCellOccupied(2, 2, packSuit[0], packRank[0]);
    setCellAvailable(2, 1);
    setCellAvailable(2, 3);
    setCellAvailable(1, 2);
    setCellAvailable(3, 2);
    drawCardFromPack();
}

void FrmMain::drawCardFromPack()
{
    if (packPosition + 1 == 25) {
        packPosition = 25;
        endGame();
        return;
    }
    // Both pictures are loaded before anything changes, so a missing one leaves the game as it was.
    const int16_t waiting = static_cast<int16_t>(packPosition + 1);
    const QImage waitingCard =
        platform::LoadPicture(getCardImageFilename(packSuit[waiting], packRank[waiting]));
    const QImage nextCard =
        platform::LoadPicture(getCardImageFilename(packSuit[waiting + 1], packRank[waiting + 1]));
    packPosition = waiting;
    imgPack->setPicture(waitingCard);
    imgNextCard->setPicture(nextCard);
}

void FrmMain::cmdNew_Click()
{
    Form_Load();
}

void FrmMain::cmdQuit_Click()
{
    QCoreApplication::exit(0);
}
