#include "cardFace.h"

#include "courtFigure.h"
#include "lettering.h"
#include "suitSymbols.h"

#include <QPainter>
#include <cmath>

namespace art
{

namespace
{

// Pip geometry. Every size has odd width and even height, so that a pip turned half round about the
// card's centre falls on whole pixels again.
enum { PipWidth = 13, PipHeight = 14, AceWidth = 35, AceHeight = 38 };
enum {
    LeftColumn = 16,
    CentreColumn = (CardWidth - PipWidth) / 2,
    RightColumn = CardWidth - LeftColumn - PipWidth
};
enum {
    TopRow = 9,
    SecondRow = 30,
    MiddleRow = (CardHeight - PipHeight) / 2,
    HighCentreRow = 25,
    TenCentreRow = 19
};

// The index column at the top left; the bottom right holds the same turned half round.
enum {
    IndexLeft = 2,
    IndexTop = 4,
    IndexWidth = 13,
    IndexHeight = 25,
    IndexSuitWidth = 9,
    IndexSuitHeight = 10
};

const QColor faceColour(255, 255, 255);
const QColor edgeColour(70, 72, 80);

int mirroredRow(int row)
{
    return CardHeight - PipHeight - row;
}

struct Pip {
    int column;
    int row;
};

// The usual arrangement for 2 to 10: pips in the lower half are turned round when drawn.
QList<Pip> pipLayout(int rank)
{
    const int bottom = mirroredRow(TopRow);
    const QList<Pip> corners = {
        {LeftColumn, TopRow}, {RightColumn, TopRow}, {LeftColumn, bottom}, {RightColumn, bottom}};
    const QList<Pip> sides = {{LeftColumn, MiddleRow}, {RightColumn, MiddleRow}};
    const QList<Pip> longSides = {{LeftColumn, SecondRow},
                                  {RightColumn, SecondRow},
                                  {LeftColumn, mirroredRow(SecondRow)},
                                  {RightColumn, mirroredRow(SecondRow)}};
    const Pip centre = {CentreColumn, MiddleRow};
    switch (rank) {
    case 2:
        return {{CentreColumn, TopRow}, {CentreColumn, bottom}};
    case 3:
        return {{CentreColumn, TopRow}, centre, {CentreColumn, bottom}};
    case 4:
        return corners;
    case 5:
        return corners + QList<Pip>{centre};
    case 6:
        return corners + sides;
    case 7:
        return corners + sides + QList<Pip>{{CentreColumn, HighCentreRow}};
    case 8:
        return corners + sides +
               QList<Pip>{{CentreColumn, HighCentreRow}, {CentreColumn, mirroredRow(HighCentreRow)}};
    case 9:
        return corners + longSides + QList<Pip>{centre};
    case 10:
        return corners + longSides +
               QList<Pip>{{CentreColumn, TenCentreRow}, {CentreColumn, mirroredRow(TenCentreRow)}};
    default:
        return {};
    }
}

QImage blankCard()
{
    QImage card(CardWidth, CardHeight, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    return card;
}

void drawFace(QPainter &painter)
{
    painter.setPen(QPen(edgeColour, 1.0));
    painter.setBrush(faceColour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, CardWidth - 1, CardHeight - 1), 4.5, 4.5);
}

QImage drawIndex(Suit suit, int rank)
{
    QImage index(IndexWidth + 2, IndexHeight, QImage::Format_ARGB32_Premultiplied);
    index.fill(Qt::transparent);
    QPainter painter(&index);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor colour = suitColour(suit);
    drawRank(painter, rank, colour, 14, index.width() / 2.0, 0.0, IndexWidth);
    const QImage symbol = drawSuitSymbol(suit, QSize(IndexSuitWidth, IndexSuitHeight), colour);
    painter.drawImage((index.width() - IndexSuitWidth) / 2, IndexHeight - IndexSuitHeight, symbol);
    return index;
}

void drawIndexes(QPainter &painter, Suit suit, int rank)
{
    // The index picture has a pixel to spare on either side of its column.
    const QImage index = drawIndex(suit, rank);
    const int left = IndexLeft - 1;
    painter.drawImage(left, IndexTop, index);
    painter.drawImage(CardWidth - left - index.width(), CardHeight - IndexTop - index.height(),
                      index.mirrored(true, true));
}

void drawPips(QPainter &painter, Suit suit, int rank)
{
    const QImage pip = drawSuitSymbol(suit, QSize(PipWidth, PipHeight), suitColour(suit));
    const QImage turned = pip.mirrored(true, true);
    for (const Pip &at : pipLayout(rank))
        painter.drawImage(at.column, at.row, at.row > MiddleRow ? turned : pip);
}

void drawAce(QPainter &painter, Suit suit)
{
    const QImage pip = drawSuitSymbol(suit, QSize(AceWidth, AceHeight), suitColour(suit));
    painter.drawImage((CardWidth - AceWidth) / 2, (CardHeight - AceHeight) / 2, pip);
}

} // namespace

QImage drawCard(int suitNumber, int rank)
{
    const Suit suit = suitOfNumber(suitNumber);
    QImage card = blankCard();
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter);
    if (rank == 1)
        drawAce(painter, suit);
    else if (rank > 10)
        drawCourtPanel(painter, suit, rank);
    else
        drawPips(painter, suit, rank);
    drawIndexes(painter, suit, rank);
    return card;
}

QImage drawNoMoreCards()
{
    QImage card = blankCard();
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 204, 200), 1.0));
    painter.setBrush(faceColour);
    painter.drawRoundedRect(QRectF(0.5, 0.5, CardWidth - 1, CardHeight - 1), 4.5, 4.5);
    QPen dashes(QColor(214, 218, 214), 1.0, Qt::CustomDashLine);
    dashes.setDashPattern({3, 2});
    painter.setPen(dashes);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(5.5, 5.5, CardWidth - 11, CardHeight - 11), 3, 3);

    const QColor ink(150, 156, 150);
    const QColor pale(205, 210, 205);
    const Suit order[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
    for (int i = 0; i < 4; ++i)
        painter.drawImage(15 + 11 * i, 28, drawSuitSymbol(order[i], QSize(9, 10), pale));
    painter.setPen(ink);
    const QFont font = indexFont(10);
    painter.setFont(font);
    painter.drawText(QRectF(0, 44, CardWidth, 14), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("No more"));
    painter.drawText(QRectF(0, 56, CardWidth, 14), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("cards"));
    return card;
}

} // namespace art
