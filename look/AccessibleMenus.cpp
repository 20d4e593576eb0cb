#include "AccessibleMenus.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

// An item of the menu bar (`bar` set) or of a drop-down menu (`menu` set).
class MenuItem : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    MenuItem(QMenuBar *bar, QMenu *menu, QAction *action) : bar_(bar), menu_(menu), action_(action)
    {
    }

    bool isValid() const override { return (bar_ || menu_) && action_; }
    QObject *object() const override { return action_; }
    QWindow *window() const override
    {
        QWidget *owner = this->owner();
        return owner ? owner->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(owner());
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
        const QString caption = plain(action_->text());
        if (!menu_)
            return caption;
        const QString heading = plain(menu_->title()).remove(QLatin1Char('?')).trimmed().toLower();
        return heading.isEmpty() ? caption : heading + QStringLiteral(": ") + caption;
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect place = bar_ ? bar_->actionGeometry(action_) : menu_->actionGeometry(action_);
        return QRect(owner()->mapToGlobal(place.topLeft()), place.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.focusable = true;
        state.focused = bar_ ? bar_->hasFocus() && bar_->activeAction() == action_
                             : menu_->isVisible() && menu_->activeAction() == action_;
        state.disabled = !action_->isEnabled();
        state.invisible = !owner()->isVisible() || !action_->isVisible();
        state.hasPopup = action_->menu() != nullptr;
        state.checkable = action_->isCheckable();
        state.checked = action_->isChecked();
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
        if (action_->menu() && bar_)
            bar_->setActiveAction(action_);
        else
            action_->trigger();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    static QString plain(const QString &caption)
    {
        return QString(caption).remove(QLatin1Char('&')).trimmed();
    }
    QWidget *owner() const
    {
        return bar_ ? static_cast<QWidget *>(bar_.data()) : static_cast<QWidget *>(menu_.data());
    }

    QPointer<QMenuBar> bar_;
    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
};

} // namespace

namespace AccessibleMenus {

QAccessibleInterface *item(QAction *action)
{
    QMenu *menu = nullptr;
    for (QObject *owner : action->associatedObjects()) {
        if (auto *bar = qobject_cast<QMenuBar *>(owner))
            return new MenuItem(bar, nullptr, action);
        if (!menu)
            menu = qobject_cast<QMenu *>(owner);
    }
    return menu ? new MenuItem(nullptr, menu, action) : nullptr;
}

} // namespace AccessibleMenus
