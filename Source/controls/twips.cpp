#include "controls/twips.h"

#include <QWidget>

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                         twipsToPixels(height));
}
