// The title: the game's name in dark-green handwriting, 194 x 32 pixels (or `scale` times that for
// dense screens), clear around the letters.
#pragma once

#include <QImage>

namespace art
{

enum { TitleWidth = 194, TitleHeight = 32 };

QImage drawTitle(int scale);

} // namespace art
