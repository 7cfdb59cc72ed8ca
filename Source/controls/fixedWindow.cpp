#include "controls/fixedWindow.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

Qt::WindowFlags fixedWindowFlags(Qt::WindowType kind, bool minimiseButton)
{
    Qt::WindowFlags flags = kind | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (minimiseButton)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

static void centreFrame(QWidget *window, const QWidget *owner)
{
    const QRect area = owner ? owner->frameGeometry() : window->screen()->availableGeometry();
    QRect frame = window->frameGeometry();
    frame.moveCenter(area.center());
    window->move(frame.topLeft());
}

namespace
{

// A window learns the size of its frame only once the system has made it: centred again then.
class CentringOnShow : public QObject
{
public:
    CentringOnShow(QWidget *window, const QWidget *owner) : QObject(window), m_owner(owner) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            centreFrame(static_cast<QWidget *>(watched), m_owner);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<const QWidget> m_owner;
};

} // namespace

void centreWindow(QWidget *window, const QWidget *owner)
{
    centreFrame(window, owner);
    if (!window->isVisible())
        window->installEventFilter(new CentringOnShow(window, owner));
}
