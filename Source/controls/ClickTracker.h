// A click as the controls and windows take it: the left button pressed on them and released
// while the pointer is still over them.
#pragma once

#include <QRect>

class QMouseEvent;

class ClickTracker
{
public:
    void press(const QMouseEvent *event);
    // True when this release completes a click inside the given area.
    bool release(const QMouseEvent *event, const QRect &area);

private:
    bool m_pressed = false;
};
