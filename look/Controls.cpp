#include "Controls.h"

#include "ColouredWidget.h"
#include "WrappingRadioButton.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOption>

namespace Controls {

QColor background(const QWidget *widget)
{
    if (auto *coloured = qobject_cast<const ColouredWidget *>(widget))
        return coloured->colour();
    if (auto *option = qobject_cast<const WrappingRadioButton *>(widget))
        return option->backgroundColour();
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

void drawText(QPainter &painter, const QLabel *label)
{
    QStyleOption option;
    option.initFrom(label);
    const int margin = label->margin();
    const QRect area = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    label->style()->drawItemText(&painter, area, int(label->alignment()) | Qt::TextForceLeftToRight,
                                 option.palette, label->isEnabled(), label->text(),
                                 label->foregroundRole());
}

} // namespace Controls
