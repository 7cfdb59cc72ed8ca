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
        resize(picture.size());
    update();
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    // Pixel for pixel: no smoothing, so cards stay sharp at whole-number scales.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(0, 0, m_picture);
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
