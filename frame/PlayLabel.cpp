#include "PlayLabel.h"

#include "AccessiblePlay.h"
#include "Controls.h"
#include "Focusable.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PlayLabel::PlayLabel(int index, QWidget *parent) : QLabel(parent), index_(index)
{
    // The keyboard reaches labels with Tab; a click does not move the focus.
    setFocusPolicy(Qt::TabFocus);
    Focusable::install(this);
    AccessiblePlay::install();
}

void PlayLabel::setText(const QString &text)
{
    if (text == QLabel::text())
        return;
    QLabel::setText(text);
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
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
    QLabel::mousePressEvent(event);
}

void PlayLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool tap = pressed_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (tap)
        activate(false);
}

void PlayLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        QLabel::keyPressEvent(event);
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
        QLabel::keyPressEvent(event);
        return;
    }
    const qsizetype at = row.indexOf(this);
    if (row.isEmpty())
        return;
    // Round the ring, and from the end of a column back to its top.
    const qsizetype next = at < 0 ? 0 : (at + step + row.size()) % row.size();
    row[next]->setFocus(Qt::OtherFocusReason);
}

void PlayLabel::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    drawFrame(&painter);
    Controls::drawText(painter, this);
}
