#include "appIcon.h"

#include "lettering.h"
#include "suitSymbols.h"

#include <QTransform>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace art
{

namespace
{

const QColor tableGreen(0, 128, 0);
// The windows' pale green, half see-through, so that the rim lies on the cloth.
const QColor rimGreen(241, 255, 241, 110);
const QColor cardWhite(255, 255, 255);
const QColor cardEdge(70, 72, 80);

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// A ring between two rounded rectangles, filled with the even-odd rule.
QPainterPath ring(const QRectF &outer, qreal outerRadius, qreal width)
{
    QPainterPath path = roundedRect(outer, outerRadius);
    path.addRoundedRect(outer.adjusted(width, width, -width, -width), outerRadius - width,
                        outerRadius - width);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

struct LargeCard {
    QPointF centre;
    qreal angle;
    Suit suit;
    // The front card shows its rank in the corners where there is room for it.
    bool index;
    // Where its pip lies, from the card's centre, in the card's own turned frame.
    QPointF pipCentre;
    QSizeF pipSize;
};

// The large icon is designed on a grid of 256; `scale` takes it to the picture's pixels.
void addLargeCard(ShapeList &shapes, const LargeCard &card, qreal scale, qreal edgeWidth, bool shadow)
{
    const QSizeF size(92 * scale, 126 * scale);
    const qreal radius = 10 * scale;
    const QPointF centre = card.centre * scale;
    QRectF face(QPointF(-size.width() / 2, -size.height() / 2), size);
    if (card.angle == 0) {
        // An upright card has its edges on whole pixels, so they stay sharp at every size.
        const QRectF at = face.translated(centre);
        face = QRectF(QPointF(std::round(at.left()), std::round(at.top())),
                      QPointF(std::round(at.right()), std::round(at.bottom())))
                   .translated(-centre);
    }
    QTransform place;
    place.translate(centre.x(), centre.y());
    place.rotate(card.angle);
    if (shadow) {
        const QTransform below = place * QTransform::fromTranslate(2 * scale, 4 * scale);
        shapes.append({below.map(roundedRect(face, radius)), QColor(0, 48, 0, 80)});
    }
    shapes.append({place.map(roundedRect(face, radius)), cardEdge});
    const QRectF inside = face.adjusted(edgeWidth, edgeWidth, -edgeWidth, -edgeWidth);
    shapes.append({place.map(roundedRect(inside, radius - edgeWidth)), cardWhite});
    const QSizeF pip = card.pipSize * scale;
    const QRectF box(card.pipCentre * scale - QPointF(pip.width() / 2, pip.height() / 2), pip);
    shapes.append({place.map(suitPath(card.suit, box)), suitColour(card.suit)});
    if (card.index) {
        // "A" above a small heart, in the top left corner and turned half round in the bottom right.
        QPainterPath letter;
        letter.addText(0, 0, indexFont(100), QStringLiteral("A"));
        const QRectF bounds = letter.boundingRect();
        const qreal height = 15 * scale;
        QTransform fit;
        fit.translate(face.left() + 10 * scale, face.top() + 9 * scale);
        fit.scale(height / bounds.height(), height / bounds.height());
        fit.translate(-bounds.left(), -bounds.top());
        const qreal letterWidth = bounds.width() * height / bounds.height();
        QPainterPath mark = fit.map(letter);
        const QSizeF small(11 * scale, 12 * scale);
        mark.addPath(
            suitPath(card.suit, QRectF(QPointF(face.left() + 10 * scale + (letterWidth - small.width()) / 2,
                                               face.top() + 28 * scale),
                                       small)));
        mark.setFillRule(Qt::WindingFill);
        shapes.append({place.map(mark), suitColour(card.suit)});
        shapes.append({(QTransform().rotate(180) * place).map(mark), suitColour(card.suit)});
    }
}

ShapeList drawLargeIcon(int pixels)
{
    const qreal scale = pixels / 256.0;
    ShapeList shapes;
    // The table's edges and rim lie on whole pixels at every size.
    const qreal margin = std::round(14 * scale);
    const QRectF table(margin, margin, pixels - 2 * margin, pixels - 2 * margin);
    const qreal radius = 40 * scale;
    shapes.append({roundedRect(table, radius), tableGreen});
    const qreal rimInset = std::round(9 * scale);
    const qreal rimWidth = std::max(1.0, std::round(4 * scale));
    shapes.append(
        {ring(table.adjusted(rimInset, rimInset, -rimInset, -rimInset), radius - rimInset, rimWidth),
         rimGreen});

    // The cards turn about a point far below the table, as a fan held in the hand.
    const QPointF pivot(128, 300);
    const qreal reach = 170;
    auto fanned = [&](qreal angle) {
        const qreal turn = qDegreesToRadians(angle);
        return pivot + QPointF(reach * std::sin(turn), -reach * std::cos(turn));
    };
    const qreal edgeWidth = std::max(1.0, std::round(3 * scale));
    // Below 128 pixels the corners have no room for an index, and the pips grow to be seen.
    const bool index = pixels >= 128;
    const QSizeF sidePip = index ? QSizeF(30, 32) : QSizeF(36, 38);
    const QSizeF frontPip = index ? QSizeF(46, 48) : QSizeF(60, 62);
    addLargeCard(shapes, {fanned(-16), -16, Suit::Spades, false, {-16, -28}, sidePip}, scale, edgeWidth,
                 false);
    addLargeCard(shapes, {fanned(16), 16, Suit::Clubs, false, {16, -28}, sidePip}, scale, edgeWidth, false);
    addLargeCard(shapes, {fanned(0), 0, Suit::Hearts, index, {0, 2}, frontPip}, scale, edgeWidth, true);
    return shapes;
}

// Pips too small for their outline to show are set pixel by pixel: "X" is a pixel of the suit's
// colour, "+" one of half its strength, which rounds the shape off. Up to six rows; unused ones are empty.
struct PixelPip {
    const char *rows[6];
};

const PixelPip smallHeart = {{"+X++X+", "XXXXXX", "XXXXXX", "+XXXX+", ".+XX+.", "..++.."}};
const PixelPip smallSpade = {{"..X..", ".XXX.", "XXXXX", "XXXXX", ".+X+.", ".XXX."}};
const PixelPip smallClub = {{".XXX.", ".XXX.", "XX+XX", "XXXXX", ".+X+.", ".XXX."}};
const PixelPip tinySpade = {{".X.", "XXX", "XXX", "+X+", "", ""}};
const PixelPip tinyClub = {{"+X+", "XXX", "XXX", ".X.", "", ""}};

void addPixelPip(ShapeList &shapes, const PixelPip &pip, QPoint at, QColor colour)
{
    QPainterPath full, half;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; pip.rows[y][x] != '\0'; ++x) {
            const char pixel = pip.rows[y][x];
            if (pixel != '.')
                (pixel == 'X' ? full : half).addRect(QRectF(at.x() + x, at.y() + y, 1, 1));
        }
    }
    full.setFillRule(Qt::WindingFill);
    half.setFillRule(Qt::WindingFill);
    shapes.append({full, colour});
    colour.setAlpha(128);
    shapes.append({half, colour});
}

// The small icons are laid out pixel by pixel: upright cards on whole pixels, the side cards set lower
// and shorter, showing only a strip beside the front card, for a fan too small to turn.
struct SmallLayout {
    int pixels;
    qreal tableRadius;
    qreal cardRadius;
    QRect left;
    QRect front;
    QRect right;
    // Where the heart lies: drawn from its outline when the box has room, else set pixel by pixel.
    QRectF heart;
    // The top left pixels of the pips on the strips of the side cards; none where there is no room.
    QPoint spade;
    QPoint club;
};

const SmallLayout smallLayouts[] = {
    {16, 2.5, 1, {2, 4, 8, 9}, {4, 2, 8, 13}, {6, 4, 8, 9}, {5, 5, 6, 6}, {}, {}},
    {24, 3.5, 1, {2, 5, 9, 13}, {6, 2, 12, 19}, {13, 5, 9, 13}, {8, 7, 8, 8}, {3, 7}, {18, 7}},
    {32, 4.5, 1.5, {3, 7, 11, 18}, {9, 3, 14, 25}, {18, 7, 11, 18}, {11, 9, 10, 10}, {4, 9}, {23, 9}},
};

void addSmallCard(ShapeList &shapes, const QRect &card, qreal radius)
{
    // A lighter edge than the large cards': at a pixel wide it would otherwise outweigh the card.
    shapes.append({roundedRect(card, radius), QColor(120, 124, 130)});
    shapes.append({roundedRect(QRectF(card).adjusted(1, 1, -1, -1), std::max(0.0, radius - 1)), cardWhite});
}

ShapeList drawSmallIcon(const SmallLayout &layout)
{
    ShapeList shapes;
    shapes.append({roundedRect(QRectF(0, 0, layout.pixels, layout.pixels), layout.tableRadius), tableGreen});
    addSmallCard(shapes, layout.left, layout.cardRadius);
    const bool tiny = layout.pixels < 32;
    if (!layout.spade.isNull())
        addPixelPip(shapes, tiny ? tinySpade : smallSpade, layout.spade, suitColour(Suit::Spades));
    addSmallCard(shapes, layout.right, layout.cardRadius);
    if (!layout.club.isNull())
        addPixelPip(shapes, tiny ? tinyClub : smallClub, layout.club, suitColour(Suit::Clubs));
    addSmallCard(shapes, layout.front, layout.cardRadius);
    if (layout.heart.width() > 6)
        shapes.append({suitPath(Suit::Hearts, layout.heart), suitColour(Suit::Hearts)});
    else
        addPixelPip(shapes, smallHeart, layout.heart.topLeft().toPoint(), suitColour(Suit::Hearts));
    return shapes;
}

} // namespace

ShapeList drawIcon(int pixels)
{
    for (const SmallLayout &layout : smallLayouts) {
        if (layout.pixels == pixels)
            return drawSmallIcon(layout);
    }
    return drawLargeIcon(pixels);
}

} // namespace art
