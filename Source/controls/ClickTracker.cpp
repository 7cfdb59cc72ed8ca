#include "controls/ClickTracker.h"

#include <QMouseEvent>

void ClickTracker::press(const QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

bool ClickTracker::release(const QMouseEvent *event, const QRect &area)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    return wasPressed && event->button() == Qt::LeftButton && area.contains(event->position().toPoint());
}
