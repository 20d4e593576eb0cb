#include "PlayLabel.h"

#include "Focusable.h"

#include <QKeyEvent>
#include <QMouseEvent>

PlayLabel::PlayLabel(int index, QWidget *parent) : LabelButton(parent), index_(index)
{
    // The keyboard reaches them with Tab; a click does not move the focus.
    setFocusPolicy(Qt::TabFocus);
    // Enter and Space are handled here, so that the focus can follow them.
    Focusable::install(this, Focusable::OwnKeys);
    // A screen reader's or a switch's press.
    connect(this, &QAbstractButton::clicked, this, [this] { emit activated(Route::Switch); });
}

void PlayLabel::setAccessibleText(const QString &name)
{
    // Qt tells screen readers of the change itself.
    if (accessibleName() != name)
        setAccessibleName(name);
}

void PlayLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        pressedAt_ = event->position().toPoint();
        // Taken here, so that the window does not see a click on its background.
        event->accept();
        return;
    }
    event->ignore();
}

void PlayLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool tap = pressed_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (tap)
        emit activated(Route::Tap);
}

void PlayLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit activated(Route::Keys);
        return;
    case Qt::Key_Home:
        emit stepped(Step::First);
        return;
    case Qt::Key_End:
        emit stepped(Step::Last);
        return;
    case Qt::Key_Down:
    case Qt::Key_Right:
        emit stepped(Step::Next);
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
        emit stepped(Step::Previous);
        return;
    default:
        event->ignore();
        return;
    }
}
