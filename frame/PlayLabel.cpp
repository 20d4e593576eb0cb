#include "PlayLabel.h"

#include "Focusable.h"

#include <QKeyEvent>
#include <QMouseEvent>

PlayLabel::PlayLabel(int index, PickUp *pickUp, QWidget *parent)
    : LabelButton(parent), index_(index), pickUp_(pickUp)
{
    // The keyboard reaches them with Tab; a click does not move the focus.
    setFocusPolicy(Qt::TabFocus);
    // Enter and Space are handled here, so that the focus can follow them.
    Focusable::install(this, Focusable::OwnKeys);
    // A screen reader's or a switch's press.
    connect(this, &QAbstractButton::clicked, this, [this] { activate(false); });
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
        activate(false);
}

void PlayLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        event->ignore();
        return;
    }
    const QList<PlayLabel *> row = neighbours();
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
        if (!row.isEmpty())
            (event->key() == Qt::Key_Home ? row.first() : row.last())
                ->setFocus(Qt::OtherFocusReason);
        return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        activate(true);
        return;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    default:
        event->ignore();
        return;
    }
    const qsizetype at = row.indexOf(this);
    if (row.isEmpty())
        return;
    // Round the ring, and from the end of a column back to its top.
    const qsizetype next = at < 0 ? 0 : (at + step + row.size()) % row.size();
    row[next]->setFocus(Qt::OtherFocusReason);
}
