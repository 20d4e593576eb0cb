#pragma once

#include <QString>
#include <QWidget>

class QSvgRenderer;

// A picture from the program's SVG files, stretched to fill the widget and
// drawn at the screen's own resolution.
class Picture : public QWidget
{
    Q_OBJECT

public:
    explicit Picture(const QString &resource, QWidget *parent = nullptr);
    ~Picture() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString resource_;
    QSvgRenderer *renderer_ = nullptr;
};
