#pragma once

#include <QObject>

class QWidget;

// Makes a control usable from the keyboard the same way everywhere: while
// it has the focus and its window shows keyboard focus, a ring is drawn
// over its edge that stands out on any background; Enter and Return press
// a button as Space does. A window shows keyboard focus by Qt's own flag
// (Qt::WA_KeyboardFocusChange), which Qt sets when Tab moves the focus and
// clears on a click; here any key press sets it and any mouse press or
// touch clears it, so mouse play looks as it always has, even when Qt
// moves the focus on by itself.
class Focusable : public QObject
{
    Q_OBJECT

public:
    enum Keys {
        PressOnEnter, // Enter and Return click the button
        OwnKeys,      // the control handles Enter and Return itself
    };
    static void install(QWidget *widget, Keys keys = PressOnEnter);
    // Whether the widget is drawing its ring now.
    static bool ringShown(const QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Focusable(QWidget *widget, Keys keys);

    QWidget *widget_;
    const Keys keys_;
};
