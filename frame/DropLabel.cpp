#include "DropLabel.h"

#include "DragLabel.h"
#include "DragPayload.h"
#include "Marks.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QPainter>

DropLabel::DropLabel(int index, QWidget *parent) : PlayLabel(index, parent)
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

QString DropLabel::placeName() const
{
    return QStringLiteral("posto %1").arg(index() + 1);
}

void DropLabel::focusInEvent(QFocusEvent *event)
{
    PlayLabel::focusInEvent(event);
    emit reached();
}

DragLabel *DropLabel::sourceOf(const QDropEvent *event) const
{
    DragPayload payload;
    if (!DragPayload::fromMimeData(event->mimeData(), &payload) ||
        payload.processId != QCoreApplication::applicationPid() ||
        payload.windowToken != DragPayload::tokenOf(window()))
        return nullptr;
    for (DragLabel *card : cards_) {
        if (card->index() == payload.index)
            return card->isEnabled() && !card->isHidden() ? card : nullptr;
    }
    return nullptr;
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
    emit dropped(index(), source);
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
        QPainter painter(this);
        Marks::drawDropTarget(painter, this);
    }
}
