#include "controls/ImageControl.h"

#include "controls/eventArguments.h"

#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void ImageControl::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (!picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
    update();
}

void ImageControl::setDimmed(bool dimmed)
{
    if (dimmed == m_dimmed)
        return;
    m_dimmed = dimmed;
    update();
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setOpacity(m_dimmed ? 0.35 : 1.0);
    // Pixel for pixel where the picture is drawn for the screen's density; scaled down smoothly where
    // it is not, as a picture at twice the size is on a screen at one and a half.
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          m_picture.devicePixelRatio() != devicePixelRatioF());
    painter.drawImage(QRectF(QPointF(0, 0), m_picture.deviceIndependentSize()), m_picture);
}

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_click.release(event, rect()))
        emit clicked();
}

void ImageControl::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(buttonMask(event), shiftMask(event->modifiers()), twipsX(event), twipsY(event));
}
