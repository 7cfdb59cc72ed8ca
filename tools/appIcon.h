// The application icon: a fan of three cards, the ace of hearts in front, on a dark green table.
#pragma once

#include "filledShapes.h"

namespace art
{

// The sizes of the freedesktop hicolor theme the icon is drawn at, in pixels; the scalable icon is the
// drawing of the largest.
constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};
enum { ScalableIconSize = 256 };

// The icon drawn for a picture `pixels` square. The small sizes are drawn afresh on the pixel grid
// rather than shrunk, so that they stay sharp.
ShapeList drawIcon(int pixels);

} // namespace art
