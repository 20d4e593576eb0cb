#pragma once

#include <QString>

class QMimeData;
class QWidget;

// What a dragged name carries: which program and window it comes from, and
// its index. Only drags that come from the same window are ever accepted.
struct DragPayload
{
    qint64 processId = 0;
    quint64 windowToken = 0;
    int index = -1;

    static QString mimeType();
    static quint64 tokenOf(const QWidget *window);

    QMimeData *toMimeData() const;
    // Reads a payload; false for anything not written by toMimeData.
    static bool fromMimeData(const QMimeData *data, DragPayload *payload);
};
