#include "AccessibleMenuBar.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

class MenuBarItem : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    MenuBarItem(QMenuBar *bar, QAction *action) : bar_(bar), action_(action) {}

    bool isValid() const override { return bar_ && action_; }
    QObject *object() const override { return action_; }
    QWindow *window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(bar_);
    }
    QAccessibleInterface *child(int index) const override
    {
        QMenu *menu = isValid() ? action_->menu() : nullptr;
        return index == 0 && menu ? QAccessible::queryAccessibleInterface(menu) : nullptr;
    }
    int childCount() const override { return isValid() && action_->menu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child == this->child(0) ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        return QString(action_->text()).remove(QLatin1Char('&')).trimmed();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect place = bar_->actionGeometry(action_);
        return QRect(bar_->mapToGlobal(place.topLeft()), place.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.focusable = true;
        state.focused = bar_->hasFocus() && bar_->activeAction() == action_;
        state.disabled = !action_->isEnabled();
        state.invisible = !bar_->isVisible() || !action_->isVisible();
        state.hasPopup = action_->menu() != nullptr;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                 : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name != pressAction() || !isValid() || !action_->isEnabled())
            return;
        // As a click does: a menu opens, an item is carried out.
        if (action_->menu())
            bar_->setActiveAction(action_);
        else
            action_->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<QMenuBar> bar_;
    QPointer<QAction> action_;
};

// Qt's own bar, whose items are found through the factory below.
class MenuBar : public QAccessibleWidget
{
public:
    explicit MenuBar(QMenuBar *bar) : QAccessibleWidget(bar, QAccessible::MenuBar) {}

    int childCount() const override { return int(widget()->actions().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QAction *> items = widget()->actions();
        return index >= 0 && index < items.size()
                   ? QAccessible::queryAccessibleInterface(items[index])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(widget()->actions().indexOf(qobject_cast<QAction *>(child->object())))
                     : -1;
    }
};

} // namespace

namespace AccessibleMenuBar {

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QMenuBar"))
        return new MenuBar(static_cast<QMenuBar *>(object));
    if (className == QLatin1String("QAction")) {
        auto *action = static_cast<QAction *>(object);
        for (QObject *owner : action->associatedObjects()) {
            if (auto *bar = qobject_cast<QMenuBar *>(owner))
                return new MenuBarItem(bar, action);
        }
    }
    return nullptr;
}

} // namespace AccessibleMenuBar
