#pragma once

#include "PlayLabel.h"

#include <QList>

class DragLabel;

// A place that names are dropped on. It accepts only the window's own
// names that are still in play; text, files and anything from another
// window are refused. Screen readers hear it as "posto 3: vuoto" or
// "posto 3: MARZO", numbered from 1 in the order of the answer.
class DropLabel : public PlayLabel
{
    Q_OBJECT

public:
    explicit DropLabel(int index, QWidget *parent = nullptr);

    // The cards a drag may bring here.
    void setCards(const QList<DragLabel *> &cards) { cards_ = cards; }

    // Shows a name on the place, or an empty place for a blank.
    void setContent(const QString &name);
    // "posto 3", what the place is called whatever it holds.
    QString placeName() const;
    // While a name that would be taken hovers over the place.
    bool highlighted() const { return highlighted_; }

signals:
    // A name was released over this place.
    void dropped(int placeIndex, DragLabel *source);
    // The keyboard came to the place.
    void reached();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // The card a drag carries, if it may be dropped here.
    DragLabel *sourceOf(const QDropEvent *event) const;
    void setHighlighted(bool on);

    QList<DragLabel *> cards_;
    bool highlighted_ = false;
};
