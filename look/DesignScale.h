#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

// Shows a designed layout at any size as one picture: in a canvas larger
// than its design, every control's place and size, font and border are
// multiplied by one factor s = min(width ÷ designed width, height ÷ designed
// height), and the whole is centred; the canvas's own colour fills the
// margins. At the designed size nothing is touched at all.
class DesignScale : public QObject
{
    Q_OBJECT

public:
    // Makes `canvas` at least, and at first, its designed size.
    static DesignScale *install(QWidget *canvas, const QSize &designed);
    static DesignScale *of(const QWidget *canvas);

    // Takes the present places, fonts and borders of the canvas's controls as
    // their design. Called once the window has built its controls.
    void capture();
    // Moves a control to a designed position, scaled as the rest.
    void move(QWidget *control, const QPoint &designed);

    double factor() const { return factor_; }
    QSize designed() const { return designed_; }
    // A designed rectangle as it is shown now.
    QRect shown(const QRect &designed) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DesignScale(QWidget *canvas, const QSize &designed);
    void apply();
    void applyTo(std::size_t i);

    struct Control
    {
        QPointer<QWidget> widget;
        QRect rect;
        QFont font;
        int lineWidth = 0;
        QSize iconSize;
    };

    QWidget *canvas_;
    const QSize designed_;
    std::vector<Control> controls_;
    double factor_ = 1.0;
    QPointF offset_;
};
