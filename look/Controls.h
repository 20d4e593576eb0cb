#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class LabelButton;
class QIcon;
class QLabel;
class QToolButton;
class QWidget;

// Small helpers for building windows the way they are designed: absolute
// places, flat background colours and single-line borders.
namespace Controls {

// The colour a widget shows behind its contents, however it is painted.
QColor background(const QWidget *widget);

struct LabelDesign
{
    QString name;
    QString text;
    QFont font;
    QColor background;
    QRect geometry;
    bool border = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
};

// Fills in a label (of any QLabel subclass) from its design.
void apply(QLabel *label, const LabelDesign &design);
// The same for a button that looks like a label.
void apply(LabelButton *button, const LabelDesign &design);
QLabel *label(QWidget *parent, const LabelDesign &design);

// A button with a picture above its caption, that the keyboard reaches too.
QToolButton *pictureButton(QWidget *parent, const LabelDesign &design, const QIcon &icon,
                           int iconSide);

// Top to bottom, then left to right: the order a child reads the screen in.
bool readingOrder(const QWidget *a, const QWidget *b);

} // namespace Controls
