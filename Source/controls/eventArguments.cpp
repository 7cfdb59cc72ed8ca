#include "controls/eventArguments.h"

#include "controls/twips.h"

#include <QMouseEvent>

int buttonMask(const QMouseEvent *event)
{
    const Qt::MouseButtons buttons = event->buttons();
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

float twipsX(const QMouseEvent *event)
{
    return pixelsToTwips(event->position().x());
}

float twipsY(const QMouseEvent *event)
{
    return pixelsToTwips(event->position().y());
}
