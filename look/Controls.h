#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QPainter;
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
QLabel *label(QWidget *parent, const LabelDesign &design);

// Draws a label's plain text as a label without keyboard focus draws it.
// Qt lays out the text of a label that takes the focus through a text
// document, which places the letters differently; labels that the keyboard
// reaches draw their text with this instead, so they look as before.
void drawText(QPainter &painter, const QLabel *label);

} // namespace Controls
