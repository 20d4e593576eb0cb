#include "DropLabel.h"

#include "DragLabel.h"
#include "DragPayload.h"
#include "PickUp.h"
#include "Voci.h"
#include "WindowScale.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDropEvent>
#include <QPainter>

DropLabel::DropLabel(int index, PickUp *pickUp, QWidget *parent) : PlayLabel(index, pickUp, parent)
{
    setAcceptDrops(true);
}

void DropLabel::setContent(const QString &name)
{
    setText(name);
    const QString shown = name.trimmed();
    setAccessibleText(placeName() + QStringLiteral(": ") +
                      (shown.isEmpty() ? QStringLiteral("vuoto") : shown));
}

void DropLabel::sayContent() const
{
    if (!text().trimmed().isEmpty())
        Voci::Parla({Voci::clipOf(text())});
}

void DropLabel::focusInEvent(QFocusEvent *event)
{
    PlayLabel::focusInEvent(event);
    // A screen reader already says what the keyboard reaches.
    if (!QAccessible::isActive())
        sayContent();
}

QString DropLabel::placeName() const
{
    return QStringLiteral("posto %1").arg(index() + 1);
}

DragLabel *DropLabel::sourceOf(const QDropEvent *event) const
{
    DragPayload payload;
    if (!DragPayload::fromMimeData(event->mimeData(), &payload))
        return nullptr;
    if (payload.processId != QCoreApplication::applicationPid() ||
        payload.windowToken != DragPayload::tokenOf(window()))
        return nullptr;
    const auto labels = window()->findChildren<DragLabel *>();
    for (DragLabel *label : labels) {
        if (label->index() == payload.index && label->isEnabled() && !label->isHidden())
            return label;
    }
    return nullptr;
}

void DropLabel::deliver(DragLabel *source)
{
    emit dropped(index(), source);
}

void DropLabel::activate(bool byKey)
{
    pickUp()->tapPlace(this, byKey);
}

QList<PlayLabel *> DropLabel::neighbours() const
{
    QList<PlayLabel *> places;
    for (DropLabel *place : pickUp()->places())
        places << place;
    return places;
}

void DropLabel::dragEnterEvent(QDragEnterEvent *event)
{
    if (sourceOf(event)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        setHighlighted(true);
    } else {
        event->ignore();
    }
}

void DropLabel::dragMoveEvent(QDragMoveEvent *event)
{
    if (sourceOf(event)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void DropLabel::dragLeaveEvent(QDragLeaveEvent *event)
{
    setHighlighted(false);
    PlayLabel::dragLeaveEvent(event);
}

void DropLabel::dropEvent(QDropEvent *event)
{
    setHighlighted(false);
    DragLabel *source = sourceOf(event);
    if (!source) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    // A drag ends play with a picked-up card as a tap on a place does.
    pickUp()->putDown();
    pickUp()->deliver(this, source);
}

void DropLabel::setHighlighted(bool on)
{
    if (highlighted_ != on) {
        highlighted_ = on;
        update();
    }
}

void DropLabel::paintEvent(QPaintEvent *event)
{
    PlayLabel::paintEvent(event);
    if (highlighted_) {
        // Shows where the name would land while it hovers over the place.
        QPainter painter(this);
        const qreal line = 3 * WindowScale::of(this);
        painter.setPen(QPen(QColor(30, 90, 200), line));
        painter.drawRect(QRectF(line / 2, line / 2, width() - line, height() - line));
    }
}
