#pragma once

#include <QRadioButton>

// A radio button whose caption wraps onto several lines inside its box, and
// which reacts to a click anywhere in that box.
class WrappingRadioButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit WrappingRadioButton(const QString &text, QWidget *parent = nullptr);

    // Painted behind the button, outside the palette (see ColouredWidget).
    QColor backgroundColour() const { return background_; }
    void setBackgroundColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QColor background_;
};
