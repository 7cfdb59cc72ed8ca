#include "filledShapes.h"

#include "colourQuantiser.h"

#include <QPainter>

namespace art
{

QImage paintShapes(const ShapeList &shapes, int size)
{
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        for (const FilledShape &shape : shapes)
            painter.fillPath(shape.path, shape.colour);
    }
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < size; ++x)
            line[x] = unpremultiplied(line[x]);
    }
    picture.reinterpretAsFormat(QImage::Format_ARGB32);
    return picture;
}

} // namespace art
