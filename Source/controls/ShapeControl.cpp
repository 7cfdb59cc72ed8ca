#include "controls/ShapeControl.h"

#include "controls/palette.h"
#include "controls/vbColor.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <map>
#include <tuple>

ShapeControl::ShapeControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeControl::setShape(Shape shape)
{
    if (m_shape == shape)
        return;
    m_shape = shape;
    changed();
}

void ShapeControl::setBorderColor(uint32_t color)
{
    if (m_borderColor == color)
        return;
    m_borderColor = color;
    changed();
}

void ShapeControl::setFillColor(uint32_t color)
{
    if (m_fillColor == color)
        return;
    m_fillColor = color;
    changed();
}

void ShapeControl::setFillStyle(FillStyle style)
{
    if (m_fillStyle == style)
        return;
    m_fillStyle = style;
    changed();
}

void ShapeControl::setBackStyle(BackStyle style)
{
    if (m_backStyle == style)
        return;
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
        m_rendering = sharedRendering();
    QPainter painter(this);
    painter.drawImage(0, 0, m_rendering);
}

// Shapes of one look share one drawing: the grid's 25 cells have three looks between them.
QImage ShapeControl::sharedRendering() const
{
    using Look = std::tuple<int, int, qreal, Shape, uint32_t, uint32_t, FillStyle, BackStyle>;
    static std::map<Look, QImage> drawn;
    const Look look{width(),       height(),    devicePixelRatioF(), m_shape,
                    m_borderColor, m_fillColor, m_fillStyle,         m_backStyle};
    auto found = drawn.find(look);
    if (found == drawn.end()) {
        // A program has a handful of looks; a bound all the same, should it ever have more.
        if (drawn.size() >= 64)
            drawn.clear();
        found = drawn.emplace(look, drawShape()).first;
    }
    return found->second;
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
