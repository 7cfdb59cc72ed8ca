// Writes a drawing of filled outlines as an SVG 1.1 document, as plain text.
#pragma once

#include "filledShapes.h"

#include <QByteArray>
#include <QString>

namespace art
{

// The drawing's coordinates are taken as pixels of a picture `size` pixels square.
QByteArray svgDocument(const ShapeList &shapes, int size, const QString &title);

} // namespace art
