// The designs' font, "Microsoft Sans Serif", and Liberation Sans where a system lacks it: a sans serif
// close enough in its widths that every caption still fits its label.
#pragma once

#include <QFont>

// Sizes are in points as designed for 96 dots per inch, pinned to pixels so that the fixed layouts
// hold whatever the screen reports.
QFont designFont(double points, bool bold = false);
