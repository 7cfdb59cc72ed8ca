// What a screen reader says of the cells and of the cards waiting, kept current as the game changes:
// "Row 3, column 3: seven of hearts", "Card to place: queen of spades".
#include "game/FrmMain.h"

#include "controls/ImageControl.h"
#include "rules/cardNames.h"

using namespace modInitialize;

void FrmMain::nameCell(int x, int y)
{
    QString content;
    switch (gridState[x][y]) {
    case Occupied:
        content = QString::fromStdString(cardName(gridSuit[x][y], gridRank[x][y]));
        break;
    case Available:
        content = QStringLiteral("empty, a card can go here");
        break;
    default:
        content = QStringLiteral("empty");
    }
    imgCard[getControlIndex(x, y)]->setAccessibleName(
        QStringLiteral("Row %1, column %2: %3").arg(y + 1).arg(x + 1).arg(content));
}

void FrmMain::nameCards()
{
    const bool waiting = packPosition < LastCard;
    imgPack->setAccessibleName(
        waiting ? QStringLiteral("Card to place: ") +
                      QString::fromStdString(cardName(packSuit[packPosition], packRank[packPosition]))
                : QStringLiteral("No card to place: the game is over"));
    imgNextCard->setAccessibleName(
        waiting ? QStringLiteral("Next card: ") +
                      QString::fromStdString(cardName(packSuit[packPosition + 1], packRank[packPosition + 1]))
                : QStringLiteral("No more cards"));
}
