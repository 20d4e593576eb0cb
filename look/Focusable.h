#pragma once

#include <QObject>

class QWidget;

// Makes a control usable from the keyboard the same way everywhere: while
// it has the focus and the keyboard is in use in its window, a ring is
// drawn over its edge that stands out on any background; Enter and Return
// press a button as Space does. The keyboard is in use from a key press
// until the next mouse press or touch, so mouse play looks as it always
// has, even when Qt moves the focus on by itself.
class Focusable : public QObject
{
    Q_OBJECT

public:
    static void install(QWidget *widget);
    // Whether the widget is drawing its ring now.
    static bool ringShown(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit Focusable(QWidget *widget);

    QWidget *widget_;
};
