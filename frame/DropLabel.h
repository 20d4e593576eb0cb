#pragma once

#include "PlayLabel.h"

class DragLabel;

// A place that names are dropped on. It accepts only names dragged from its
// own window; text, files and anything from another window are refused. A
// tap, Space or Enter drops the picked-up name here, as a drag would.
// Screen readers hear it as "posto 3: vuoto" or "posto 3: MARZO", numbered
// from 1 in the order of the answer.
class DropLabel : public PlayLabel
{
    Q_OBJECT

public:
    DropLabel(int index, PickUp *pickUp, QWidget *parent = nullptr);

    // Shows a name on the place, or an empty place for a blank.
    void setContent(const QString &name);
    // "posto 3", what the place is called whatever it holds.
    QString placeName() const;
    // The program's voice says the name written on the place, if any.
    void sayContent() const;

    // Hands a name to the window exactly as a drop of it here does.
    void deliver(DragLabel *source);

    void activate(bool byKey) override;

signals:
    // A name was released over this place.
    void dropped(int placeIndex, DragLabel *source);

protected:
    QList<PlayLabel *> neighbours() const override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    DragLabel *sourceOf(const QDropEvent *event) const;
    void setHighlighted(bool on);

    bool highlighted_ = false;
};
