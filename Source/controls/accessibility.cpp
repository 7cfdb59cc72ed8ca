#include "controls/accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace
{

class Decoration : public QAccessibleWidget
{
public:
    explicit Decoration(QWidget *widget) : QAccessibleWidget(widget) {}
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

QAccessibleInterface *accessibleControl(const QString &className, QObject *object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == QLatin1String("ImageControl"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String("ShapeControl") || className == QLatin1String("LineControl"))
        return new Decoration(widget);
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
