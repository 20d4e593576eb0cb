#pragma once

#include "PlayLabel.h"

class DragLabel;

// A place that names are dropped on. It accepts only names dragged from its
// own window; text, files and anything from another window are refused. A
// tap, Space or Enter drops the picked-up name here, as a drag would.
class DropLabel : public PlayLabel
{
    Q_OBJECT

public:
    explicit DropLabel(int index, QWidget *parent = nullptr);

    // Hands a name to the window exactly as a drop of it here does.
    void deliver(DragLabel *source);

    void activate(bool byKey) override;
    QString accessibleText() const override;

signals:
    // A name was released over this place.
    void dropped(int placeIndex, DragLabel *source);

protected:
    QList<PlayLabel *> neighbours() const override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    DragLabel *sourceOf(const QDropEvent *event) const;
    void setHighlighted(bool on);

    bool highlighted_ = false;
};
