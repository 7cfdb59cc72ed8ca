// Turns a drawn picture into palette form. Pictures of few colours keep them exactly; others are
// reduced by median cut, refined by a few rounds of nearest-mean, so that rare but telling colours
// (a red pip on a white card) keep an entry of their own.
#pragma once

#include "indexedPicture.h"

#include <QImage>

namespace art
{

// Fully transparent pixels become the transparent entry; every other pixel is taken as opaque.
IndexedPicture quantise(const QImage &image, int maximumColours = 256);

// Undoes premultiplied alpha the same way on every processor. Qt's own conversion takes a routine made
// for the processor at hand, and those do not all round an exact half alike.
QRgb unpremultiplied(QRgb pixel);

// Lays every pixel of at least `threshold` alpha over `backdrop`, so its edges are smoothed against the
// colour it will be shown on, and clears the others completely.
QImage flattenAgainst(const QImage &image, QColor backdrop, int threshold);

} // namespace art
