#include "DropLabel.h"

#include "DragLabel.h"
#include "DragPayload.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QPainter>

DropLabel::DropLabel(int index, QWidget *parent) : QLabel(parent), index_(index)
{
    setAcceptDrops(true);
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
    QLabel::dragLeaveEvent(event);
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
    emit dropped(index_, source);
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
    QLabel::paintEvent(event);
    if (highlighted_) {
        // Shows where the name would land while it hovers over the place.
        QPainter painter(this);
        painter.setPen(QPen(QColor(30, 90, 200), 3));
        painter.drawRect(QRectF(1.5, 1.5, width() - 3, height() - 3));
    }
}
