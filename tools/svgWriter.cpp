#include "svgWriter.h"

namespace art
{

namespace
{

// Two decimals are far finer than any screen shows and keep the file short; trailing zeros go.
QString number(qreal value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString point(qreal x, qreal y)
{
    return number(x) + QLatin1Char(' ') + number(y);
}

QString pathData(const QPainterPath &path)
{
    QStringList parts;
    QPointF start;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.isMoveTo()) {
            // A subpath that came back to where it began is closed, so its ends meet cleanly.
            if (i > 0 && QPointF(path.elementAt(i - 1)) == start)
                parts << QStringLiteral("Z");
            start = element;
            parts << QStringLiteral("M") + point(element.x, element.y);
        } else if (element.isLineTo()) {
            parts << QStringLiteral("L") + point(element.x, element.y);
        } else if (element.isCurveTo()) {
            const QPainterPath::Element second = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            parts << QStringLiteral("C") + point(element.x, element.y) + QLatin1Char(' ') +
                         point(second.x, second.y) + QLatin1Char(' ') + point(end.x, end.y);
            i += 2;
        }
    }
    if (path.elementCount() > 0 && QPointF(path.elementAt(path.elementCount() - 1)) == start)
        parts << QStringLiteral("Z");
    return parts.join(QLatin1Char(' '));
}

QString colourAttributes(const QColor &colour)
{
    QString text = QStringLiteral("fill=\"%1\"").arg(colour.name(QColor::HexRgb));
    if (colour.alpha() < 255)
        text += QStringLiteral(" fill-opacity=\"%1\"").arg(QString::number(colour.alphaF(), 'f', 3));
    return text;
}

} // namespace

QByteArray svgDocument(const ShapeList &shapes, int size, const QString &title)
{
    QString text;
    text += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    text +=
        QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1\" height=\"%1\" "
                       "viewBox=\"0 0 %1 %1\">\n")
            .arg(size);
    text += QStringLiteral("  <title>%1</title>\n").arg(title.toHtmlEscaped());
    for (const FilledShape &shape : shapes) {
        const QString rule =
            shape.path.fillRule() == Qt::OddEvenFill ? QStringLiteral("evenodd") : QStringLiteral("nonzero");
        text += QStringLiteral("  <path %1 fill-rule=\"%2\" d=\"%3\"/>\n")
                    .arg(colourAttributes(shape.colour), rule, pathData(shape.path));
    }
    text += QStringLiteral("</svg>\n");
    return text.toUtf8();
}

} // namespace art
