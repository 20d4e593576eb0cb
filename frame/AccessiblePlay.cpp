#include "AccessiblePlay.h"

#include "DragLabel.h"
#include "PickUp.h"
#include "PlayLabel.h"

#include <QAccessibleWidget>

namespace {

class AccessiblePlayLabel : public QAccessibleWidget
{
public:
    explicit AccessiblePlayLabel(PlayLabel *label) : QAccessibleWidget(label, QAccessible::Button)
    {
    }

    PlayLabel *label() const { return static_cast<PlayLabel *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return label()->accessibleText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (auto *card = qobject_cast<DragLabel *>(label())) {
            state.checkable = true;
            state.checked = PickUp::of(card->window())->picked() == card;
        }
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction()) {
            if (label()->isEnabled() && label()->isVisible())
                label()->activate(false);
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    Q_UNUSED(className)
    if (auto *label = qobject_cast<PlayLabel *>(object))
        return new AccessiblePlayLabel(label);
    return nullptr;
}

} // namespace

namespace AccessiblePlay {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace AccessiblePlay
