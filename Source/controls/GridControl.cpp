#include "controls/GridControl.h"

#include <QEvent>
#include <QPainter>

GridControl::GridControl(QWidget *parent, QWidget *framed) : QWidget(parent), m_framed(framed)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    framed->installEventFilter(this);
}

void GridControl::paintEvent(QPaintEvent *)
{
    if (!hasFocus() || !m_framed->isVisible())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(QRectF(m_framed->geometry().translated(-pos())).adjusted(-2, -2, 2, 2));
}

// The frame follows the card wherever it goes.
bool GridControl::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Show || event->type() == QEvent::Hide)
        update();
    return false;
}
