// Positions and sizes are designed in twips: 15 twips make one pixel at 96 dots per inch.
#pragma once

#include <QRect>

class QWidget;

constexpr int twipsPerPixel = 15;

// Whole pixels, rounded down, so that a designed box never grows past its right or bottom edge.
int twipsToPixels(double twips);
float pixelsToTwips(double pixels);

// A designed box, each of its four numbers converted on its own.
QRect twipsRect(int left, int top, int width, int height);

// Sets a control's geometry from its designed twips.
void place(QWidget *control, int left, int top, int width, int height);
