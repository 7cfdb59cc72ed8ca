#include "controls/accessibility.h"

#include "controls/GridControl.h"
#include "controls/LabelControl.h"
#include "controls/accessibleDocument.h"
#include "controls/accessibleGrid.h"

#include <QAccessibleWidget>
#include <QTextBrowser>

namespace
{

// A control a screen reader passes over: the shapes and rules always, a picture that has no name.
class Skipped : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;
    virtual bool skipped() const { return true; }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = state.invisible || skipped();
        return state;
    }
};

class Picture : public Skipped
{
public:
    explicit Picture(QWidget *widget) : Skipped(widget, QAccessible::Graphic) {}
    bool skipped() const override { return widget()->accessibleName().isEmpty(); }
};

// A window of the program: a frame holding its controls, less those a screen reader passes over.
class Window : public QAccessibleWidget
{
public:
    explicit Window(QWidget *widget) : QAccessibleWidget(widget, QAccessible::Window) {}
    int childCount() const override { return int(controls().size()); }
    QAccessibleInterface *child(int index) const override { return controls().value(index); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(controls().indexOf(const_cast<QAccessibleInterface *>(child)));
    }

private:
    QList<QAccessibleInterface *> controls() const
    {
        QList<QAccessibleInterface *> found;
        for (QObject *object : widget()->children()) {
            auto *control = qobject_cast<QWidget *>(object);
            if (!control || control->isWindow())
                continue;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
            const auto *skipped = dynamic_cast<const Skipped *>(face);
            if (face && !(skipped && skipped->skipped()))
                found.append(face);
        }
        return found;
    }
};

// A label that takes the focus is a link, which a screen reader can press as a click would.
class Link : public QAccessibleWidget
{
public:
    explicit Link(LabelControl *label) : QAccessibleWidget(label, QAccessible::Link) {}
    QString text(QAccessible::Text t) const override
    {
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? static_cast<LabelControl *>(widget())->text()
                                                        : text;
    }
    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        // Queued: the click may open a modal window, which must not hold up the screen reader's call.
        if (action == pressAction())
            QMetaObject::invokeMethod(static_cast<LabelControl *>(widget()), &LabelControl::clicked,
                                      Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *accessibleControl(const QString &className, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("GridControl"))
        return accessibleGrid(static_cast<GridControl *>(widget));
    if (className == QLatin1String("ImageControl"))
        return new Picture(widget);
    if (className == QLatin1String("ShapeControl") || className == QLatin1String("LineControl"))
        return new Skipped(widget);
    if (className == QLatin1String("LabelControl") && widget->focusPolicy() != Qt::NoFocus)
        return new Link(static_cast<LabelControl *>(widget));
    if (className == QLatin1String("QTextBrowser"))
        return accessibleDocument(static_cast<QTextBrowser *>(widget));
    // A window of the program's own making, which Qt would take for a filler.
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new Window(widget);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(accessibleControl);
    installed = true;
}
