#include "controls/fixedWindow.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

Qt::WindowFlags fixedWindowFlags(Qt::WindowType kind, bool minimiseButton)
{
    Qt::WindowFlags flags = kind | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    if (minimiseButton)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

static bool hasFrame(const QWidget *window)
{
    return window->frameGeometry() != window->geometry();
}

namespace
{

// Places a window again once its frame is known. A window manager frames a window as it maps it, and
// the window system then tells the window its frame, before it first exposes it; without a window
// manager the window is exposed with no frame, and the watch ends there.
class PlacingWhenFramed : public QObject
{
public:
    PlacingWhenFramed(QWidget *window, std::function<void()> place)
        : QObject(window), m_window(window), m_place(std::move(place))
    {
        // A window placed anew is placed by the new rule alone.
        for (QObject *earlier : window->findChildren<QObject *>(name(), Qt::FindDirectChildrenOnly))
            delete earlier;
        setObjectName(name());
        if (window->isVisible())
            window->windowHandle()->installEventFilter(this);
        else
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto type = event->type();
        // The window system's events come to the window's handle, which it has once it is shown.
        if (watched == m_window) {
            if (type == QEvent::Show)
                m_window->windowHandle()->installEventFilter(this);
            return false;
        }
        const bool framed = (type == QEvent::Move || type == QEvent::Resize) && hasFrame(m_window);
        if (m_done || !(framed || type == QEvent::Expose))
            return false;
        m_done = true;
        // Placed once the window system's event is done, never from within it; the watch ends once
        // the window is placed.
        QMetaObject::invokeMethod(
            this,
            [this, framed] {
                if (framed)
                    m_place();
                delete this;
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    static QString name() { return QStringLiteral("placingWhenFramed"); }
    QWidget *m_window;
    std::function<void()> m_place;
    bool m_done = false;
};

} // namespace

void placeWhenFramed(QWidget *window, const std::function<void()> &place)
{
    place();
    if (!hasFrame(window))
        new PlacingWhenFramed(window, place);
}

void centreWindow(QWidget *window, const QWidget *owner)
{
    const QPointer<const QWidget> over(owner);
    placeWhenFramed(window, [window, over, owner] {
        const QRect area =
            owner ? (over ? over->frameGeometry() : QRect()) : window->screen()->availableGeometry();
        if (area.isNull())
            return;
        QRect frame = window->frameGeometry();
        frame.moveCenter(area.center());
        window->move(frame.topLeft());
    });
}
