#include "controls/ShapeControl.h"

#include "controls/vbColor.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

ShapeControl::ShapeControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setShape(Shape shape)
{
    m_shape = shape;
    update();
}

void ShapeControl::setBorderColor(uint32_t color)
{
    m_borderColor = color;
    update();
}

void ShapeControl::setFillColor(uint32_t color)
{
    m_fillColor = color;
    update();
}

void ShapeControl::setFillStyle(FillStyle style)
{
    m_fillStyle = style;
    update();
}

void ShapeControl::setBackStyle(BackStyle style)
{
    m_backStyle = style;
    update();
}

void ShapeControl::setBackColor(uint32_t color)
{
    m_backColor = color;
    update();
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The outline runs along the control's outermost pixels; half-pixel offsets keep its
    // straight parts one sharp pixel wide while the rounded corners are smoothed.
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    if (m_shape == RoundedRectangle) {
        const qreal radius = std::min(width(), height()) / 8.0;
        path.addRoundedRect(outline, radius, radius);
        painter.setRenderHint(QPainter::Antialiasing);
    } else {
        path.addRect(outline);
    }
    if (m_backStyle == BackOpaque)
        painter.fillPath(path, vbColor(m_backColor));
    if (m_fillStyle == Solid)
        painter.fillPath(path, vbColor(m_fillColor));
    else if (m_fillStyle == DownwardDiagonal)
        painter.fillPath(path, QBrush(vbColor(m_fillColor), Qt::FDiagPattern));
    painter.setPen(QPen(vbColor(m_borderColor), 1));
    painter.drawPath(path);
}
