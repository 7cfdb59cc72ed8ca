// The full-size card pictures, 71 x 96 pixels, with a transparent margin outside the rounded corners.
#pragma once

#include <QImage>

namespace art
{

enum { CardWidth = 71, CardHeight = 96 };

QImage drawCard(int suitNumber, int rank);
// Shown in place of the next card once the pack is used up.
QImage drawNoMoreCards();

} // namespace art
