// The full-size card pictures, 71 x 96 pixels (or `scale` times that for dense screens), with a
// transparent margin outside the rounded corners.
#pragma once

#include <QImage>

namespace art
{

enum { CardWidth = 71, CardHeight = 96 };

QImage drawCard(int suitNumber, int rank, int scale);
// Shown in place of the next card once the pack is used up.
QImage drawNoMoreCards(int scale);

} // namespace art
