#pragma once

#include <QLabel>

// A label that reports a click of the left mouse button inside it.
class QuestionLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
