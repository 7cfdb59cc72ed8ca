// What a screen reader says of the cells and of the cards waiting, kept current as the game changes:
// "Row 3, column 3: seven of hearts", "Card to place: queen of spades"; and after a placement, of the
// cell under the card: "Row 2, column 3: four of clubs. Pair. Current Score: 2".
#include "game/FrmMain.h"

#include "controls/GridControl.h"
#include "controls/ImageControl.h"
#include "controls/LabelControl.h"
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
        content = QStringLiteral("empty, no card can go here yet");
    }
    grdCells->setCellName(getControlIndex(x, y),
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

// The label is named once its caption is whole, so that a screen reader hears one change, not each
// step of the revision; a label with no name of its own would be heard at each step.
void FrmMain::nameCombination()
{
    const QString made = lblCombination->text();
    const QString name = made.isEmpty() ? QStringLiteral("No combination") : made;
    if (lblCombination->accessibleName() != name)
        lblCombination->setAccessibleName(name);
}

void FrmMain::tellTable()
{
    QString news = lblTotal->text();
    if (!lblCombination->text().isEmpty())
        news = lblCombination->text() + QStringLiteral(". ") + news;
    grdCells->tellChanges(news);
}
