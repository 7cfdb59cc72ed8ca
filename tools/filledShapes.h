// A drawing made only of filled outlines, each in one colour, so that the same drawing can be painted
// into a picture and written out as an SVG file that shows the same.
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>

namespace art
{

struct FilledShape {
    QPainterPath path;
    // Its alpha is the shape's opacity.
    QColor colour;
};

using ShapeList = QList<FilledShape>;

// Paints the shapes in order, in pixels, into a transparent picture `size` pixels square, and gives it
// back with its alpha not premultiplied, as PNG files hold it.
QImage paintShapes(const ShapeList &shapes, int size);

} // namespace art
