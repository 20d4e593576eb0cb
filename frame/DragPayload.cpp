#include "DragPayload.h"

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <QWidget>

QString DragPayload::mimeType()
{
    return QStringLiteral("application/x-tempiolo-nome");
}

quint64 DragPayload::tokenOf(const QWidget *window)
{
    return quint64(reinterpret_cast<quintptr>(window));
}

QMimeData *DragPayload::toMimeData() const
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << processId << windowToken << qint32(index);
    auto *data = new QMimeData;
    data->setData(mimeType(), bytes);
    return data;
}

bool DragPayload::fromMimeData(const QMimeData *data, DragPayload *payload)
{
    if (!data || !data->hasFormat(mimeType()))
        return false;
    QDataStream stream(data->data(mimeType()));
    qint32 index = -1;
    stream >> payload->processId >> payload->windowToken >> index;
    payload->index = index;
    return stream.status() == QDataStream::Ok && stream.atEnd();
}
