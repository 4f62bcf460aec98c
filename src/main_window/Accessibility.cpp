#include "Accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <mutex>

namespace {

QAccessibleInterface* accessibleRole(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && className == QLatin1String("DropZone"))
        return new QAccessibleWidget(widget, QAccessible::Button);
    if (widget && className == QLatin1String("StatusLine"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(accessibleRole); });
}
