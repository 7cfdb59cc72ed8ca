#include "courtFigure.h"

#include "lettering.h"

#include <QPainterPath>
#include <QRegion>
#include <QtMath>
#include <cmath>

namespace art
{

namespace
{

// The panel lies inside the index columns. The figure is drawn above a slanting line through the
// panel's centre and again turned half round below it, as on printed cards.
enum { PanelLeft = 16, PanelTop = 8, PanelWidth = 39, PanelHeight = 80 };
enum { DividerLeft = 46, DividerRight = PanelHeight - DividerLeft };
enum { Jack = 11, Queen = 12, King = 13 };

const QColor gold(236, 186, 48);
const QColor darkGold(150, 104, 20);
const QColor skin(252, 224, 192);
const QColor ink(40, 36, 40);
const QColor courtBlue(36, 72, 156);
const QColor courtRed(200, 30, 40);
const QColor panelTint(255, 251, 238);
const QColor ermine(250, 250, 250);
const QColor steel(206, 212, 222);
const QColor hairBrown(120, 70, 30);

const qreal centreX = PanelWidth / 2.0;

struct Colours {
    QColor robe;
    QColor trim;
};

Colours coloursFor(Suit suit)
{
    return isRed(suit) ? Colours{courtRed, courtBlue} : Colours{courtBlue, courtRed};
}

void outlined(QPainter &painter, const QPainterPath &path, QColor fill, QColor line = ink, qreal width = 0.8)
{
    painter.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPath(path);
}

QPainterPath polygonPath(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

void drawHand(QPainter &painter, QPointF at)
{
    QPainterPath hand;
    hand.addEllipse(at, 2.0, 1.8);
    outlined(painter, hand, skin, ink, 0.7);
}

void drawBody(QPainter &painter, const Colours &colours, int rank)
{
    QPainterPath robe({centreX - 5, 23.5});
    robe.cubicTo(centreX - 9, 25, 4, 26, 3.5, 31);
    robe.lineTo(3.5, 52);
    robe.lineTo(PanelWidth - 3.5, 52);
    robe.lineTo(PanelWidth - 3.5, 31);
    robe.cubicTo(PanelWidth - 4, 26, centreX + 9, 25, centreX + 5, 23.5);
    robe.closeSubpath();
    outlined(painter, robe, colours.robe);

    // A scatter of gold on the cloth, as woven into it.
    painter.setPen(Qt::NoPen);
    painter.setBrush(gold);
    for (qreal y = 33; y < 50; y += 4) {
        const qreal shift = int(y) % 8 == 1 ? 0.0 : 2.0;
        for (qreal x = 6 + shift; x < PanelWidth - 5; x += 4) {
            if (std::abs(x - centreX) > 6)
                painter.drawEllipse(QPointF(x, y), 0.7, 0.7);
        }
    }

    // Sleeves of the second colour with gold cuffs, bent towards the hands.
    outlined(painter, polygonPath({{3.5, 30.5}, {7.5, 28}, {13, 34.5}, {10.5, 37.5}, {3.5, 33}}),
             colours.trim);
    outlined(painter, polygonPath({{10.2, 33}, {12.4, 31.5}, {14.2, 34}, {12, 36.6}}), gold, darkGold);
    outlined(painter,
             polygonPath({{PanelWidth - 3.5, 30.5},
                          {PanelWidth - 7.5, 28},
                          {PanelWidth - 11, 32},
                          {PanelWidth - 8.5, 34.5},
                          {PanelWidth - 3.5, 33}}),
             colours.trim);

    // A gold band down the front with a row of buttons.
    outlined(painter,
             polygonPath({{centreX - 3, 24}, {centreX - 4.5, 52}, {centreX + 4.5, 52}, {centreX + 3, 24}}),
             gold, darkGold);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.trim);
    for (qreal y = 29; y < 48; y += 4)
        painter.drawEllipse(QPointF(centreX, y), 1.2, 1.2);

    if (rank == King) {
        // An ermine collar across the shoulders.
        QPainterPath collar({centreX - 6, 22.5});
        collar.cubicTo(centreX - 10, 24.5, 6, 25.5, 5, 29);
        collar.lineTo(PanelWidth - 5, 29);
        collar.cubicTo(PanelWidth - 6, 25.5, centreX + 10, 24.5, centreX + 6, 22.5);
        collar.closeSubpath();
        outlined(painter, collar, ermine);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        for (qreal x : {9.5, 14.5, 24.5, 29.5})
            painter.drawRect(QRectF(x - 0.5, 26, 1, 1.5));
    } else if (rank == Queen) {
        outlined(painter,
                 polygonPath({{centreX - 5, 23}, {centreX - 4, 28}, {centreX + 4, 28}, {centreX + 5, 23}}),
                 skin);
        painter.setPen(QPen(darkGold, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(centreX - 4, 21, 8, 5.5), 200 * 16, 140 * 16);
    } else {
        outlined(painter, polygonPath({{centreX - 5, 23}, {centreX, 28}, {centreX + 5, 23}}), ermine);
    }
}

void drawHead(QPainter &painter, int rank)
{
    if (rank == Queen) {
        // Long hair falling behind the face onto the shoulders.
        QPainterPath hair({centreX, 10.5});
        hair.cubicTo(centreX - 6, 10.5, centreX - 7, 16, centreX - 6, 20);
        hair.cubicTo(centreX - 5.5, 23, centreX - 8, 25, centreX - 7.5, 27);
        hair.lineTo(centreX - 3, 25);
        hair.lineTo(centreX + 3, 25);
        hair.lineTo(centreX + 7.5, 27);
        hair.cubicTo(centreX + 8, 25, centreX + 5.5, 23, centreX + 6, 20);
        hair.cubicTo(centreX + 7, 16, centreX + 6, 10.5, centreX, 10.5);
        hair.closeSubpath();
        outlined(painter, hair, QColor(200, 136, 44), QColor(110, 66, 20));
    } else if (rank == Jack) {
        QPainterPath hair({centreX - 6, 13});
        hair.cubicTo(centreX - 7, 19, centreX - 6, 22, centreX - 4, 23);
        hair.lineTo(centreX + 4, 23);
        hair.cubicTo(centreX + 6, 22, centreX + 7, 19, centreX + 6, 13);
        hair.closeSubpath();
        outlined(painter, hair, hairBrown, QColor(70, 40, 20));
    }
    QPainterPath head;
    head.addEllipse(QRectF(centreX - 4.5, 12.5, 9, 11));
    outlined(painter, head, skin);

    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(centreX - 2, 17), 0.8, 0.9);
    painter.drawEllipse(QPointF(centreX + 2, 17), 0.8, 0.9);
    painter.setPen(QPen(QColor(190, 60, 60), 0.9));
    painter.drawLine(QPointF(centreX - 1.2, 21), QPointF(centreX + 1.2, 21));

    if (rank == King) {
        QPainterPath beard({centreX - 4.5, 19});
        beard.cubicTo(centreX - 4.5, 24, centreX - 2, 27, centreX, 28);
        beard.cubicTo(centreX + 2, 27, centreX + 4.5, 24, centreX + 4.5, 19);
        beard.cubicTo(centreX + 2, 22, centreX - 2, 22, centreX - 4.5, 19);
        beard.closeSubpath();
        outlined(painter, beard, QColor(236, 232, 224), QColor(120, 112, 100));
        painter.setPen(QPen(QColor(120, 112, 100), 0.9));
        painter.drawLine(QPointF(centreX - 2.2, 20.2), QPointF(centreX + 2.2, 20.2));
    }
}

void drawHeadwear(QPainter &painter, const Colours &colours, int rank)
{
    if (rank == King) {
        outlined(painter,
                 polygonPath({{centreX - 6, 14},
                              {centreX - 6.5, 6.5},
                              {centreX - 3, 10},
                              {centreX, 4.5},
                              {centreX + 3, 10},
                              {centreX + 6.5, 6.5},
                              {centreX + 6, 14}}),
                 gold, darkGold);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.trim);
        painter.drawEllipse(QPointF(centreX, 12), 1.2, 1.2);
        painter.setBrush(colours.robe);
        painter.drawEllipse(QPointF(centreX - 3.5, 12.3), 0.9, 0.9);
        painter.drawEllipse(QPointF(centreX + 3.5, 12.3), 0.9, 0.9);
    } else if (rank == Queen) {
        QPainterPath crown({centreX - 5, 13});
        crown.lineTo(centreX - 5, 9);
        crown.cubicTo(centreX - 4, 6.5, centreX - 2, 6.5, centreX - 1.5, 8.5);
        crown.cubicTo(centreX - 1, 6, centreX + 1, 6, centreX + 1.5, 8.5);
        crown.cubicTo(centreX + 2, 6.5, centreX + 4, 6.5, centreX + 5, 9);
        crown.lineTo(centreX + 5, 13);
        crown.closeSubpath();
        outlined(painter, crown, gold, darkGold);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.trim);
        painter.drawEllipse(QPointF(centreX, 11), 1.1, 1.1);
    } else {
        // A soft cap with a gold band and a feather swept back.
        QPainterPath feather({centreX + 2, 9.5});
        feather.cubicTo(centreX + 6, 6, centreX + 9, 7, centreX + 10, 11);
        feather.cubicTo(centreX + 8, 9.5, centreX + 6, 9.5, centreX + 4, 11.5);
        feather.closeSubpath();
        outlined(painter, feather, QColor(250, 250, 246), QColor(120, 120, 120));
        QPainterPath cap({centreX - 7, 14});
        cap.cubicTo(centreX - 7, 7, centreX + 6, 5, centreX + 7, 14);
        cap.closeSubpath();
        outlined(painter, cap, colours.robe);
        painter.setPen(QPen(darkGold, 0.8));
        painter.setBrush(gold);
        painter.drawRect(QRectF(centreX - 6, 12, 12, 2.2));
    }
}

// What each figure holds: the king a sword, the queen a flower, the jack a halberd.
void drawHeldThing(QPainter &painter, const Colours &colours, int rank)
{
    if (rank == King) {
        const qreal x = PanelWidth - 7.5;
        outlined(painter,
                 polygonPath({{x - 1.2, 31}, {x - 1.2, 17}, {x, 14.5}, {x + 1.2, 17}, {x + 1.2, 31}}), steel);
        outlined(painter, polygonPath({{x - 3.5, 30.5}, {x + 3.5, 30.5}, {x + 3.5, 32}, {x - 3.5, 32}}), gold,
                 darkGold);
        drawHand(painter, {x, 33.5});
    } else if (rank == Queen) {
        painter.setPen(QPen(QColor(40, 120, 40), 1.0));
        painter.drawLine(QPointF(11.5, 36), QPointF(8.5, 24));
        painter.setPen(QPen(QColor(40, 120, 40), 0.8));
        painter.setBrush(QColor(80, 160, 70));
        painter.drawEllipse(QPointF(11, 28), 1.8, 1.0);
        QPainterPath bloom;
        for (int petal = 0; petal < 5; ++petal) {
            const qreal angle = qDegreesToRadians(petal * 72.0);
            bloom.addEllipse(QPointF(8.5 + 2.0 * std::sin(angle), 22 - 2.0 * std::cos(angle)), 1.6, 1.6);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.trim);
        painter.drawPath(bloom);
        painter.setBrush(gold);
        painter.drawEllipse(QPointF(8.5, 22), 1.1, 1.1);
        drawHand(painter, {11.5, 36.5});
    } else {
        const qreal x = 7.5;
        painter.setPen(QPen(QColor(110, 70, 30), 1.4));
        painter.drawLine(QPointF(x, 48), QPointF(x, 16));
        QPainterPath blade({x, 14});
        blade.lineTo(x + 1, 17);
        blade.cubicTo(x + 5, 16.5, x + 5.5, 21, x + 4, 23);
        blade.lineTo(x + 0.5, 21);
        blade.lineTo(x - 2, 20);
        blade.lineTo(x - 0.5, 18.5);
        blade.closeSubpath();
        outlined(painter, blade, steel);
        drawHand(painter, {x + 1.5, 37});
    }
}

// Beside the head: the suit on the left, the letter on the right, both in the suit's colour. They are
// drawn in the picture's own pixels, so the symbol is made at its final size and the letter is hinted
// for it rather than enlarged.
void drawCornerMarks(QPainter &painter, Suit suit, int rank, int scale)
{
    painter.save();
    painter.scale(1.0 / scale, 1.0 / scale);
    painter.drawImage(2 * scale, 3 * scale, drawSuitSymbol(suit, QSize(9, 10) * scale, suitColour(suit)));
    drawRank(painter, rank, suitColour(suit), 12 * scale, (PanelWidth - 6.5) * scale, 3.0 * scale,
             PanelWidth * scale);
    painter.restore();
}

void drawFigure(QPainter &painter, Suit suit, int rank, int scale)
{
    const Colours colours = coloursFor(suit);
    drawBody(painter, colours, rank);
    drawHeldThing(painter, colours, rank);
    drawHead(painter, rank);
    drawHeadwear(painter, colours, rank);
    drawCornerMarks(painter, suit, rank, scale);
}

} // namespace

void drawCourtPanel(QPainter &painter, Suit suit, int rank, int scale)
{
    QImage panel(PanelWidth * scale, PanelHeight * scale, QImage::Format_ARGB32_Premultiplied);
    panel.fill(panelTint);
    {
        QPainter figure(&panel);
        figure.setRenderHint(QPainter::Antialiasing);
        // The figure is drawn in the 1x picture's units; the painter enlarges it to the picture's pixels.
        figure.scale(scale, scale);
        const QPainterPath upper =
            polygonPath({{0, 0}, {PanelWidth, 0}, {PanelWidth, DividerRight}, {0, DividerLeft}});
        for (int turn = 0; turn < 2; ++turn) {
            figure.save();
            if (turn == 1) {
                figure.translate(PanelWidth, PanelHeight);
                figure.rotate(180);
            }
            figure.setClipPath(upper);
            drawFigure(figure, suit, rank, scale);
            figure.restore();
        }
        figure.setPen(QPen(darkGold, 1.2));
        figure.drawLine(QPointF(0, DividerLeft), QPointF(PanelWidth, DividerRight));
    }
    const QPoint at(PanelLeft * scale, PanelTop * scale);
    painter.drawImage(at, panel);

    // A frame of whole pixels, one pixel of the 1x picture wide, lying on the panel's outermost pixels.
    const QRect outer(at, panel.size());
    const QRegion frame = QRegion(outer) - QRegion(outer.adjusted(scale, scale, -scale, -scale));
    for (const QRect &side : frame)
        painter.fillRect(side, suitColour(suit));
}

} // namespace art
