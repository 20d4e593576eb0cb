#include "Controls.h"

#include <QLabel>
#include <QPalette>

namespace Controls {

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    // Buttons fill their background from another role than plain widgets.
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor background(const QWidget *widget)
{
    return widget->palette().color(QPalette::Window);
}

void apply(QLabel *label, const LabelDesign &design)
{
    label->setObjectName(design.name);
    label->setText(design.text);
    label->setFont(design.font);
    label->setGeometry(design.geometry);
    label->setAlignment(design.alignment);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, design.background);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    if (design.border) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
    }
}

QLabel *label(QWidget *parent, const LabelDesign &design)
{
    auto *created = new QLabel(parent);
    apply(created, design);
    return created;
}

} // namespace Controls
