#include "AccessibleWindows.h"

#include "Controls.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <algorithm>

namespace {

constexpr char leftOut[] = "tempioloLeftOut";

// Whether a later sibling that is shown covers `widget` exactly: the sad
// face under the laughing one.
bool covered(const QWidget *widget, const QList<QWidget *> &siblings)
{
    const qsizetype at = siblings.indexOf(const_cast<QWidget *>(widget));
    for (qsizetype i = at + 1; i < siblings.size(); ++i) {
        const QWidget *other = siblings[i];
        if (!other->isHidden() && other->geometry() == widget->geometry())
            return true;
    }
    return false;
}

bool onShow(QWidget *widget, const QList<QWidget *> &siblings)
{
    if (widget->isWindow() || widget->isHidden() || widget->property(leftOut).toBool())
        return false;
    // A nameless control says nothing (a card already placed); a nameless
    // container, such as a menu bar, still holds what it shows.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    if (!accessible ||
        (accessible->text(QAccessible::Name).trimmed().isEmpty() && accessible->childCount() == 0))
        return false;
    return !covered(widget, siblings);
}

class ScreenOrder : public QAccessibleWidget
{
public:
    explicit ScreenOrder(QWidget *widget)
        : QAccessibleWidget(widget, widget->isWindow() ? QAccessible::Window : QAccessible::Client)
    {
    }

    int childCount() const override { return int(shown().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> list = shown();
        if (index < 0 || index >= list.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(list[index]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || !child->object() || !child->object()->isWidgetType())
            return -1;
        return int(shown().indexOf(static_cast<QWidget *>(child->object())));
    }

private:
    QList<QWidget *> shown() const
    {
        QList<QWidget *> siblings;
        for (QObject *child : widget()->children()) {
            if (child->isWidgetType())
                siblings << static_cast<QWidget *>(child);
        }
        QList<QWidget *> list;
        for (QWidget *candidate : siblings) {
            if (onShow(candidate, siblings))
                list << candidate;
        }
        std::stable_sort(list.begin(), list.end(), Controls::readingOrder);
        return list;
    }
};

} // namespace

namespace AccessibleWindows {

QAccessibleInterface *screenOrder(QWidget *widget)
{
    return new ScreenOrder(widget);
}

void leaveOut(QWidget *widget)
{
    widget->setProperty(leftOut, true);
}

} // namespace AccessibleWindows
