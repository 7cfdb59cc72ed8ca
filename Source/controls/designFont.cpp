#include "controls/designFont.h"

#include <QStringList>
#include <cmath>

QFont designFont(double points, bool bold)
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}
