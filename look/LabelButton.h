#pragma once

#include <QAbstractButton>

// A button that looks exactly like a bordered label: a flat background, a
// one-pixel black line round it and its text, never drawn pressed. Screen
// readers and switches still find a real button, with its role, its press
// action and, when checkable, its checked state.
class LabelButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit LabelButton(QWidget *parent = nullptr);

    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    bool hasBorder() const { return border_; }
    void setBorder(bool border);

protected:
    void paintEvent(QPaintEvent *event) override;
    // The owner decides when the checked state changes, not a click.
    void nextCheckState() override {}

private:
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    bool border_ = false;
};
