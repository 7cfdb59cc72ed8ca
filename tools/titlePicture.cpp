#include "titlePicture.h"

#include "lettering.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace art
{

QImage drawTitle(int scale)
{
    // The name is set large and then fitted to the picture, so the script keeps its own proportions.
    QPainterPath name;
    name.addText(0, 0, scriptFont(200), QStringLiteral("Tallyfive"));
    const QRectF bounds = name.boundingRect();
    // The script is tall for its width; drawn a little wider it fills the title's place better.
    const qreal widen = 1.3;
    const qreal fit =
        std::min((TitleWidth - 6) / (bounds.width() * widen), (TitleHeight - 2) / bounds.height());

    QImage title(TitleWidth * scale, TitleHeight * scale, QImage::Format_ARGB32_Premultiplied);
    title.fill(Qt::transparent);
    QPainter painter(&title);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(title.width() / 2.0, title.height() / 2.0);
    painter.scale(fit * widen * scale, fit * scale);
    painter.translate(-bounds.center());
    const QColor green(0, 104, 24);
    // A hairline of the same green gives the thin script a little more body at this size.
    painter.setPen(QPen(green, 0.9 / fit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(green);
    painter.drawPath(name);
    return title;
}

} // namespace art
