#pragma once

#include <QLabel>

class DragLabel;

// A place that names are dropped on. It accepts only names dragged from its
// own window; text, files and anything from another window are refused.
class DropLabel : public QLabel
{
    Q_OBJECT

public:
    explicit DropLabel(int index, QWidget *parent = nullptr);

    int index() const { return index_; }

signals:
    // A name was released over this place.
    void dropped(int placeIndex, DragLabel *source);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    DragLabel *sourceOf(const QDropEvent *event) const;
    void setHighlighted(bool on);

    const int index_;
    bool highlighted_ = false;
};
