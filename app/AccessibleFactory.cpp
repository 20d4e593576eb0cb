#include "AccessibleFactory.h"

#include "AccessibleMenus.h"
#include "AccessibleMonth.h"
#include "AccessibleWindows.h"
#include "ColouredWidget.h"
#include "FormEsercizio.h"
#include "Narrator.h"

#include <QAction>

namespace AccessibleFactory {

QAccessibleInterface *create(const QString &className, QObject *object)
{
    // Qt asks with the object's own class first, then with each base class:
    // what is answered here is answered on the first call.
    Q_UNUSED(className)
    if (auto *window = qobject_cast<FormEsercizio *>(object))
        return AccessibleWindows::screenOrder(window);
    if (auto *area = qobject_cast<ColouredWidget *>(object))
        return AccessibleWindows::screenOrder(area);
    if (auto *action = qobject_cast<QAction *>(object))
        return AccessibleMenus::item(action);
    if (QAccessibleInterface *narrator = Narrator::accessible(object))
        return narrator;
    return AccessibleMonth::grid(object);
}

} // namespace AccessibleFactory
