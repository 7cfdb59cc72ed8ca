#include "controls/ShapeControl.h"

#include "controls/palette.h"
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
    changed();
}

void ShapeControl::setBorderColor(uint32_t color)
{
    m_borderColor = color;
    changed();
}

void ShapeControl::setFillColor(uint32_t color)
{
    m_fillColor = color;
    changed();
}

void ShapeControl::setFillStyle(FillStyle style)
{
    m_fillStyle = style;
    changed();
}

void ShapeControl::setBackStyle(BackStyle style)
{
    m_backStyle = style;
    changed();
}

void ShapeControl::changed()
{
    m_rendering = QImage();
    update();
}

void ShapeControl::resizeEvent(QResizeEvent *)
{
    m_rendering = QImage();
}

void ShapeControl::paintEvent(QPaintEvent *)
{
    // A grid of hatched, rounded shapes is costly to draw afresh on every paint, and most
    // paints show a shape unchanged.
    if (m_rendering.isNull())
        m_rendering = drawShape();
    QPainter painter(this);
    painter.drawImage(0, 0, m_rendering);
}

QImage ShapeControl::drawShape() const
{
    // Drawn at the screen's own density, so that outline and hatching stay sharp on a dense screen.
    const qreal density = devicePixelRatioF();
    QImage image(size() * density, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(density);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // The outline runs along the control's outermost pixels; half-pixel offsets keep its straight
    // parts one sharp pixel wide while the rounded corners are smoothed.
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    if (m_shape == RoundedRectangle) {
        const qreal radius = std::min(width(), height()) / 8.0;
        path.addRoundedRect(outline, radius, radius);
        painter.setRenderHint(QPainter::Antialiasing);
    } else {
        path.addRect(outline);
    }
    // The back of an opaque shape is white, as the designs leave every shape's back colour.
    if (m_backStyle == BackOpaque)
        painter.fillPath(path, vbColor(palette::white));
    if (m_fillStyle == Solid)
        painter.fillPath(path, vbColor(m_fillColor));
    else if (m_fillStyle == DownwardDiagonal)
        painter.fillPath(path, QBrush(vbColor(m_fillColor), Qt::FDiagPattern));
    painter.setPen(QPen(vbColor(m_borderColor), 1));
    painter.drawPath(path);
    return image;
}
