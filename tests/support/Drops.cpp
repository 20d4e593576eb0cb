#include "Drops.h"

#include "DragPayload.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include <memory>

namespace Drops {

QMimeData *ownName(const QWidget *window, int index)
{
    return DragPayload{QCoreApplication::applicationPid(), DragPayload::tokenOf(window), index}
        .toMimeData();
}

bool deliver(QWidget *target, const QMimeData *data)
{
    const QPoint centre = target->rect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(centre, actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(centre, actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(centre, actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

bool dropName(QWidget *target, int index)
{
    std::unique_ptr<QMimeData> data(ownName(target->window(), index));
    return deliver(target, data.get());
}

} // namespace Drops
