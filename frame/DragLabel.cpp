#include "DragLabel.h"

#include "DragPayload.h"
#include "Marks.h"
#include "WindowScale.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>

DragLabel::DragLabel(int index, QWidget *parent) : PlayLabel(index, parent)
{
    // Checked while it is picked up: what screen readers hear as held.
    setCheckable(true);
}

bool DragLabel::playable() const
{
    return isVisibleTo(window()) && isEnabled() && !text().isEmpty();
}

void DragLabel::mouseMoveEvent(QMouseEvent *event)
{
    if (pressed_ && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - pressedAt_).manhattanLength() >=
            QApplication::startDragDistance()) {
        pressed_ = false;
        startDrag();
        return;
    }
    event->ignore();
}

void DragLabel::paintEvent(QPaintEvent *event)
{
    PlayLabel::paintEvent(event);
    if (isChecked()) {
        QPainter painter(this);
        Marks::drawPickedUp(painter, this);
    }
}

QPixmap DragLabel::outline() const
{
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    // Drawn opaque on purpose: without a compositor transparency shows white.
    pixmap.fill(QColor(250, 250, 240));
    QPainter painter(&pixmap);
    const qreal line = 2 * WindowScale::of(this);
    painter.setPen(QPen(QColor(60, 60, 60), line, Qt::DashLine));
    painter.drawRect(QRectF(line / 2, line / 2, width() - line, height() - line));
    painter.setFont(font());
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(rect(), Qt::AlignCenter, text());
    return pixmap;
}

void DragLabel::startDrag()
{
    emit lifted();
    const DragPayload payload{QCoreApplication::applicationPid(), DragPayload::tokenOf(window()),
                              index()};
    auto *drag = new QDrag(this);
    drag->setMimeData(payload.toMimeData());
    drag->setPixmap(outline());
    drag->setHotSpot(pressedAt_);
    // The drop's handler may lay out a whole new round before exec returns,
    // so nothing here touches the card afterwards.
    drag->exec(Qt::MoveAction);
}
