// Positions and sizes are designed in twips: 15 twips make one pixel at 96 dots per inch.
#pragma once

class QWidget;

constexpr int twipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return twips / twipsPerPixel;
}

// Sets a control's geometry from its designed twips.
void place(QWidget *control, int left, int top, int width, int height);
