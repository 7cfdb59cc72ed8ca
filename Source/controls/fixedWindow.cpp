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

static bool hasFrame(const QWidget *window)
{
    return window->frameGeometry() != window->geometry();
}

namespace
{

// Places a window again once its frame is known: a window manager frames a window only some time
// after it is first shown. Without one there is no frame to wait for, and the watch ends after a second.
class PlacingWhenFramed : public QObject
{
public:
    PlacingWhenFramed(QWidget *window, std::function<void()> place)
        : QObject(window), m_place(std::move(place))
    {
        // A window placed anew is placed by the new rule alone.
        for (QObject *earlier : window->findChildren<QObject *>(name(), Qt::FindDirectChildrenOnly))
            delete earlier;
        setObjectName(name());
        startTimer(10);
    }

protected:
    void timerEvent(QTimerEvent *) override
    {
        const bool framed = hasFrame(static_cast<QWidget *>(parent()));
        if (framed)
            m_place();
        if (framed || ++m_looks == 100)
            delete this;
    }

private:
    static QString name() { return QStringLiteral("placingWhenFramed"); }
    std::function<void()> m_place;
    int m_looks = 0;
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
