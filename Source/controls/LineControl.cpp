#include "controls/LineControl.h"

#include "controls/twips.h"
#include "controls/vbColor.h"

#include <QPainter>
#include <algorithm>

LineControl::LineControl(QWidget *parent, int x1, int y1, int x2, int y2, uint32_t color)
    : QWidget(parent), m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const int left = twipsToPixels(std::min(x1, x2));
    const int top = twipsToPixels(std::min(y1, y2));
    setGeometry(left, top, std::max(1, twipsToPixels(std::max(x1, x2)) - left),
                std::max(1, twipsToPixels(std::max(y1, y2)) - top));
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), vbColor(m_color));
}
