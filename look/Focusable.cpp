#include "Focusable.h"

#include "Marks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace {

// Watches every key and mouse press of the program to tell which way each
// window is being used.
class KeyboardWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
             type == QEvent::TouchBegin) &&
            watched->isWidgetType()) {
            QWidget *window = static_cast<QWidget *>(watched)->window();
            const bool keys = type == QEvent::KeyPress;
            if (window->testAttribute(Qt::WA_KeyboardFocusChange) != keys) {
                window->setAttribute(Qt::WA_KeyboardFocusChange, keys);
                if (QWidget *focus = window->focusWidget())
                    focus->update();
            }
        }
        return false;
    }
};

} // namespace

Focusable::Focusable(QWidget *widget, Keys keys) : QObject(widget), widget_(widget), keys_(keys)
{
    static KeyboardWatch *watch = [] {
        auto *created = new KeyboardWatch(qApp);
        qApp->installEventFilter(created);
        return created;
    }();
    Q_UNUSED(watch)
    widget->installEventFilter(this);
}

void Focusable::install(QWidget *widget, Keys keys)
{
    if (!widget->findChild<Focusable *>(QString(), Qt::FindDirectChildrenOnly))
        new Focusable(widget, keys);
}

bool Focusable::ringShown(const QWidget *widget)
{
    return widget->hasFocus() && widget->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

bool Focusable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != widget_)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        widget_->update();
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *button = qobject_cast<QAbstractButton *>(widget_);
        if (button && keys_ == PressOnEnter && key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->click();
            return true;
        }
        break;
    }
    case QEvent::Paint:
        if (ringShown(widget_)) {
            // The control paints itself first, then the ring goes on top.
            static_cast<QObject *>(widget_)->event(event);
            QPainter painter(widget_);
            Marks::drawFocusRing(painter, widget_);
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}
