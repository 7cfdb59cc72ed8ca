#include "suitSymbols.h"

#include <QPainter>
#include <QTransform>

namespace art
{

namespace
{

// The outlines are drawn in a unit square from (-0.5, -0.5) to (0.5, 0.5), y downwards.

QPainterPath heart()
{
    QPainterPath path({0.0, 0.5});
    path.cubicTo(-0.08, 0.38, -0.5, 0.12, -0.5, -0.19);
    path.cubicTo(-0.5, -0.38, -0.37, -0.5, -0.245, -0.5);
    path.cubicTo(-0.11, -0.5, -0.03, -0.41, 0.0, -0.29);
    path.cubicTo(0.03, -0.41, 0.11, -0.5, 0.245, -0.5);
    path.cubicTo(0.37, -0.5, 0.5, -0.38, 0.5, -0.19);
    path.cubicTo(0.5, 0.12, 0.08, 0.38, 0.0, 0.5);
    path.closeSubpath();
    return path;
}

QPainterPath diamond()
{
    QPainterPath path({0.0, -0.5});
    path.quadTo(0.17, -0.21, 0.41, 0.0);
    path.quadTo(0.17, 0.21, 0.0, 0.5);
    path.quadTo(-0.17, 0.21, -0.41, 0.0);
    path.quadTo(-0.17, -0.21, 0.0, -0.5);
    path.closeSubpath();
    return path;
}

QPainterPath spade()
{
    QPainterPath path({0.0, -0.5});
    path.cubicTo(0.09, -0.36, 0.5, -0.14, 0.5, 0.1);
    path.cubicTo(0.5, 0.28, 0.38, 0.38, 0.255, 0.38);
    path.cubicTo(0.15, 0.38, 0.07, 0.32, 0.035, 0.25);
    path.cubicTo(0.05, 0.37, 0.11, 0.45, 0.2, 0.5);
    path.lineTo(-0.2, 0.5);
    path.cubicTo(-0.11, 0.45, -0.05, 0.37, -0.035, 0.25);
    path.cubicTo(-0.07, 0.32, -0.15, 0.38, -0.255, 0.38);
    path.cubicTo(-0.38, 0.38, -0.5, 0.28, -0.5, 0.1);
    path.cubicTo(-0.5, -0.14, -0.09, -0.36, 0.0, -0.5);
    path.closeSubpath();
    return path;
}

// Three leaves, a joint between them and a flared stem. Each part is closed separately; the caller
// maps them to the final size and unites them there, where the curves are flattened finely enough.
QList<QPainterPath> clubParts()
{
    const qreal r = 0.225;
    QPainterPath top, left, right, joint, stem;
    top.addEllipse(QPointF(0.0, -0.5 + r), r, r);
    left.addEllipse(QPointF(-0.5 + r, 0.08), r, r);
    right.addEllipse(QPointF(0.5 - r, 0.08), r, r);
    joint.addEllipse(QPointF(0.0, 0.0), 0.13, 0.13);
    stem.moveTo(-0.045, 0.05);
    stem.cubicTo(-0.05, 0.3, -0.1, 0.44, -0.2, 0.5);
    stem.lineTo(0.2, 0.5);
    stem.cubicTo(0.1, 0.44, 0.05, 0.3, 0.045, 0.05);
    stem.closeSubpath();
    return {top, left, right, joint, stem};
}

} // namespace

bool isRed(Suit suit)
{
    return suit == Suit::Diamonds || suit == Suit::Hearts;
}

QColor suitColour(Suit suit)
{
    return isRed(suit) ? QColor(206, 17, 38) : QColor(22, 22, 26);
}

QPainterPath suitPath(Suit suit, const QRectF &box)
{
    QTransform toBox;
    toBox.translate(box.center().x(), box.center().y());
    toBox.scale(box.width(), box.height());
    switch (suit) {
    case Suit::Hearts:
        return toBox.map(heart());
    case Suit::Diamonds:
        return toBox.map(diamond());
    case Suit::Spades:
        return toBox.map(spade());
    case Suit::Clubs:
        break;
    }
    QPainterPath club;
    for (const QPainterPath &part : clubParts())
        club = club.united(toBox.map(part));
    return club;
}

QImage drawSuitSymbol(Suit suit, QSize size, QColor colour)
{
    QImage symbol(size, QImage::Format_ARGB32_Premultiplied);
    symbol.fill(Qt::transparent);
    QPainter painter(&symbol);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(suitPath(suit, QRectF(QPointF(0, 0), size)), colour);
    return symbol;
}

} // namespace art
