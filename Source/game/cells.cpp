// Cells and cards: the coordinate functions, the card image files, and the three routines that
// put a cell into a state, in the shared state and on the screen alike.
#include "game/FrmMain.h"

#include "controls/ImageControl.h"
#include "controls/ShapeControl.h"
#include "controls/palette.h"
#include "platform/executableFolder.h"
#include "platform/loadPicture.h"

using namespace modInitialize;

int FrmMain::getControlIndex(int gridPosX, int gridPosY) const
{
    return gridPosX + GridSize * gridPosY;
}

int FrmMain::getCellX(int targetCell) const
{
    return targetCell % GridSize;
}

int FrmMain::getCellY(int targetCell) const
{
    return targetCell / GridSize;
}

QString FrmMain::getCardImageFilename(int cardSuit, int cardRank) const
{
    const QString separator(QChar::fromLatin1(platform::pathSeparator));
    const QString rank = QString::number(cardRank);
    return platform::executableFolder() + separator + QStringLiteral("Pack") + separator +
           QString::number(cardSuit) + QString(2 - rank.size(), QLatin1Char('0')) + rank +
           QStringLiteral(".gif");
}

// The card at its own size; a broken picture ends the program.
static QImage loadCardAtItsSize(const QString &path)
{
    QString problem;
    const QImage picture =
        platform::LoadPicture(path, QSize(FrmMain::CardWidth, FrmMain::CardHeight), &problem);
    if (picture.isNull())
        platform::endForBrokenPicture(path, problem);
    return picture;
}

QImage FrmMain::loadCardImage(int cardSuit, int cardRank) const
{
    const QString path = getCardImageFilename(cardSuit, cardRank);
    // On a dense screen the card drawn at twice the size, where it can be loaded; else the card itself.
    if (devicePixelRatioF() > 1) {
        QString problem;
        QImage dense = platform::LoadPicture(platform::atTwiceTheSize(path),
                                             QSize(2 * CardWidth, 2 * CardHeight), &problem);
        if (!dense.isNull()) {
            dense.setDevicePixelRatio(2);
            return dense;
        }
    }
    return loadCardAtItsSize(path);
}

void FrmMain::checkPack() const
{
    // Checked without being decoded, so that the window shows sooner: a card is decoded when it is
    // first dealt.
    const auto check = [this](int suit, int rank) {
        const QString path = getCardImageFilename(suit, rank);
        const QString problem = platform::checkPicture(path, QSize(CardWidth, CardHeight));
        if (!problem.isEmpty())
            platform::endForBrokenPicture(path, problem);
    };
    check(0, 0);
    for (int suit = 1; suit <= 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank)
            check(suit, rank);
    }
}

static bool insideGrid(int x, int y)
{
    return x > -1 && x < GridSize && y > -1 && y < GridSize;
}

// An empty cell: a rounded outline with hatching in the given colour, the window showing through.
static void showEmptyCell(ShapeControl *shape, ImageControl *image, uint32_t color)
{
    shape->setShape(ShapeControl::RoundedRectangle);
    shape->setBorderColor(color);
    shape->setFillColor(color);
    shape->setBackStyle(ShapeControl::BackTransparent);
    shape->setFillStyle(ShapeControl::DownwardDiagonal);
    image->setPicture(QImage());
}

void FrmMain::setCellUnavailable(int targetCellX, int targetCellY)
{
    const auto i = static_cast<int16_t>(getControlIndex(targetCellX, targetCellY));
    if (!insideGrid(targetCellX, targetCellY))
        return;
    showEmptyCell(shpEmpty[i], imgCard[i], palette::ruleGrey);
    gridSuit[targetCellX][targetCellY] = 0;
    gridRank[targetCellX][targetCellY] = 0;
    gridState[targetCellX][targetCellY] = Unavailable;
    nameCell(targetCellX, targetCellY);
}

void FrmMain::setCellAvailable(int targetCellX, int targetCellY)
{
    const auto i = static_cast<int16_t>(getControlIndex(targetCellX, targetCellY));
    if (!insideGrid(targetCellX, targetCellY) || gridState[targetCellX][targetCellY] == Occupied)
        return;
    showEmptyCell(shpEmpty[i], imgCard[i], palette::availableGrey);
    gridSuit[targetCellX][targetCellY] = 0;
    gridRank[targetCellX][targetCellY] = 0;
    gridState[targetCellX][targetCellY] = Available;
    nameCell(targetCellX, targetCellY);
}

void FrmMain::setCellOccupied(int targetCellX, int targetCellY, int targetSuit, int targetRank)
{
    const auto i = static_cast<int16_t>(getControlIndex(targetCellX, targetCellY));
    // The picture comes first: if it cannot be loaded, nothing of the cell has changed.
    imgCard[i]->setPicture(loadCardImage(targetSuit, targetRank));
    ShapeControl *shape = shpEmpty[i];
    shape->setShape(ShapeControl::Rectangle);
    shape->setBorderColor(palette::background);
    shape->setFillColor(palette::white);
    shape->setBackStyle(ShapeControl::BackOpaque);
    shape->setFillStyle(ShapeControl::Solid);
    gridSuit[targetCellX][targetCellY] = static_cast<int16_t>(targetSuit);
    gridRank[targetCellX][targetCellY] = static_cast<int16_t>(targetRank);
    gridState[targetCellX][targetCellY] = Occupied;
    nameCell(targetCellX, targetCellY);
}
