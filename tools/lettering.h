// Lettering: the faces the pictures are set in and the way a rank is written on a card. Another face
// would change every picture, so the program refuses to draw without them.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

namespace art
{

// Names each face that is missing on standard error; true when both are there.
bool facesPresent();

// Bold sans serif for card indexes.
QFont indexFont(qreal pixelSize);
// Handwriting for the title.
QFont scriptFont(qreal pixelSize);

// "A", "2" to "10", "J", "Q", "K".
QString rankText(int rank);

// Writes a rank centred on `centreX` with its capitals starting at `capTop` on a whole pixel. A rank of
// two figures is squeezed, as printed cards do, when it is wider than `widest`.
void drawRank(QPainter &painter, int rank, QColor colour, qreal pixelSize, qreal centreX, qreal capTop,
              qreal widest);

} // namespace art
