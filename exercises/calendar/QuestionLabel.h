#pragma once

#include <QLabel>

// A label that reports a click of the left mouse button inside it, or
// Enter or Space while it has the keyboard's focus.
class QuestionLabel : public QLabel
{
    Q_OBJECT

public:
    explicit QuestionLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
