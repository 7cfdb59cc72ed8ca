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

QImage blankCard(int scale)
{
    QImage card(CardWidth * scale, CardHeight * scale, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    return card;
}

// The card's outline: a line `scale` pixels wide lying on whole pixels just inside the picture.
void drawOutline(QPainter &painter, QColor line, int scale)
{
    painter.setPen(QPen(line, 1.0 * scale));
    painter.setBrush(faceColour);
    painter.drawRoundedRect(
        QRectF(0.5 * scale, 0.5 * scale, (CardWidth - 1) * scale, (CardHeight - 1) * scale), 4.5 * scale,
        4.5 * scale);
}

QImage drawIndex(Suit suit, int rank, int scale)
{
    QImage index((IndexWidth + 2) * scale, IndexHeight * scale, QImage::Format_ARGB32_Premultiplied);
    index.fill(Qt::transparent);
    QPainter painter(&index);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor colour = suitColour(suit);
    drawRank(painter, rank, colour, 14 * scale, index.width() / 2.0, 0.0, IndexWidth * scale);
    const QSize symbolSize(IndexSuitWidth * scale, IndexSuitHeight * scale);
    const QImage symbol = drawSuitSymbol(suit, symbolSize, colour);
    painter.drawImage((index.width() - symbolSize.width()) / 2, index.height() - symbolSize.height(), symbol);
    return index;
}

void drawIndexes(QPainter &painter, Suit suit, int rank, int scale)
{
    // The index picture has a pixel (of the 1x picture) to spare on either side of its column.
    const QImage index = drawIndex(suit, rank, scale);
    const int left = (IndexLeft - 1) * scale;
    const int top = IndexTop * scale;
    painter.drawImage(left, top, index);
    painter.drawImage(CardWidth * scale - left - index.width(), CardHeight * scale - top - index.height(),
                      index.mirrored(true, true));
}

void drawPips(QPainter &painter, Suit suit, int rank, int scale)
{
    const QImage pip = drawSuitSymbol(suit, QSize(PipWidth * scale, PipHeight * scale), suitColour(suit));
    const QImage turned = pip.mirrored(true, true);
    for (const Pip &at : pipLayout(rank))
        painter.drawImage(at.column * scale, at.row * scale, at.row > MiddleRow ? turned : pip);
}

void drawAce(QPainter &painter, Suit suit, int scale)
{
    const QImage pip = drawSuitSymbol(suit, QSize(AceWidth * scale, AceHeight * scale), suitColour(suit));
    painter.drawImage((CardWidth - AceWidth) / 2 * scale, (CardHeight - AceHeight) / 2 * scale, pip);
}

} // namespace

QImage drawCard(int suitNumber, int rank, int scale)
{
    const Suit suit = suitOfNumber(suitNumber);
    QImage card = blankCard(scale);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    drawOutline(painter, edgeColour, scale);
    if (rank == 1)
        drawAce(painter, suit, scale);
    else if (rank > 10)
        drawCourtPanel(painter, suit, rank, scale);
    else
        drawPips(painter, suit, rank, scale);
    drawIndexes(painter, suit, rank, scale);
    return card;
}

QImage drawNoMoreCards(int scale)
{
    QImage card = blankCard(scale);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    drawOutline(painter, QColor(200, 204, 200), scale);
    // The dashes are measured in line widths, so they grow with the line.
    QPen dashes(QColor(214, 218, 214), 1.0 * scale, Qt::CustomDashLine);
    dashes.setDashPattern({3, 2});
    painter.setPen(dashes);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(
        QRectF(5.5 * scale, 5.5 * scale, (CardWidth - 11) * scale, (CardHeight - 11) * scale), 3 * scale,
        3 * scale);

    const QColor ink(150, 156, 150);
    const QColor pale(205, 210, 205);
    const Suit order[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
    for (int i = 0; i < 4; ++i)
        painter.drawImage((15 + 11 * i) * scale, 28 * scale,
                          drawSuitSymbol(order[i], QSize(9, 10) * scale, pale));
    painter.setPen(ink);
    const QFont font = indexFont(10 * scale);
    painter.setFont(font);
    painter.drawText(QRectF(0, 44 * scale, CardWidth * scale, 14 * scale), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("No more"));
    painter.drawText(QRectF(0, 56 * scale, CardWidth * scale, 14 * scale), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("cards"));
    return card;
}

} // namespace art
