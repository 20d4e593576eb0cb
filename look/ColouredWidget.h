#pragma once

#include <QColor>
#include <QWidget>

// A widget painted in one flat colour. The colour is kept out of the
// palette on purpose: every new palette makes Qt's style cache fresh pixmap
// keys for the buttons inside, and Qt 6.4 never forgets those keys, so a
// colour change per round would grow the program without end.
class ColouredWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ColouredWidget(QWidget *parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor colour_;
};
