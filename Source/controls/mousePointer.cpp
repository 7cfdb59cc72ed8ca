#include "controls/mousePointer.h"

#include <QApplication>
#include <QCursor>

void setMousePointer(MousePointer pointer)
{
    const QCursor cursor(pointer == vbNoDrop ? Qt::ForbiddenCursor : Qt::ArrowCursor);
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(cursor);
    else
        QApplication::setOverrideCursor(cursor);
}
