// The designs' font, "Microsoft Sans Serif", stood in for by Liberation Sans, which shares its widths.
#pragma once

#include <QFont>

// Sizes are in points as designed for 96 dots per inch, pinned to pixels so that the fixed
// layouts hold whatever the screen reports.
QFont designFont(double points, bool bold = false);
