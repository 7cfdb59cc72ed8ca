#include "lettering.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace art
{

namespace
{

const char *const indexFamily = "Liberation Sans";
const char *const scriptFamily = "Dancing Script";

QFont sizedFont(const char *family, qreal pixelSize, QFont::Weight weight)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(int(pixelSize));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

bool facesPresent()
{
    const QStringList families = QFontDatabase::families();
    bool present = true;
    for (const char *family : {indexFamily, scriptFamily}) {
        if (!families.contains(QString::fromLatin1(family))) {
            std::fprintf(stderr, "tallyfive_art: the face \"%s\" is missing\n", family);
            present = false;
        }
    }
    return present;
}

QFont indexFont(qreal pixelSize)
{
    return sizedFont(indexFamily, pixelSize, QFont::Bold);
}

QFont scriptFont(qreal pixelSize)
{
    return sizedFont(scriptFamily, pixelSize, QFont::Normal);
}

QString rankText(int rank)
{
    switch (rank) {
    case 1:
        return QStringLiteral("A");
    case 11:
        return QStringLiteral("J");
    case 12:
        return QStringLiteral("Q");
    case 13:
        return QStringLiteral("K");
    default:
        return QString::number(rank);
    }
}

void drawRank(QPainter &painter, int rank, QColor colour, qreal pixelSize, qreal centreX, qreal capTop,
              qreal widest)
{
    const QString text = rankText(rank);
    const QFont font = indexFont(pixelSize);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    const qreal squeeze = text.size() > 1 ? std::min(1.0, widest / width) : 1.0;
    const qreal baseline = std::round(capTop + metrics.capHeight());
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    if (squeeze < 1.0) {
        painter.translate(centreX, baseline);
        painter.scale(squeeze, 1.0);
        painter.drawText(QPointF(-width / 2.0, 0.0), text);
    } else {
        // Whole-pixel starts keep the strokes sharp.
        painter.drawText(QPointF(std::round(centreX - width / 2.0), baseline), text);
    }
    painter.restore();
}

} // namespace art
