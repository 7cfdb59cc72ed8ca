#include "controls/twips.h"

#include <QWidget>
#include <cmath>

int twipsToPixels(double twips)
{
    return static_cast<int>(std::floor(twips / twipsPerPixel));
}

float pixelsToTwips(double pixels)
{
    return static_cast<float>(pixels * twipsPerPixel);
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(twipsRect(left, top, width, height));
}
