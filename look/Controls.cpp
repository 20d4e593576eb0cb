#include "Controls.h"

#include "ColouredWidget.h"
#include "Focusable.h"
#include "LabelButton.h"
#include "WrappingRadioButton.h"

#include <QLabel>
#include <QPalette>
#include <QToolButton>

#include <utility>

namespace Controls {

QColor background(const QWidget *widget)
{
    if (auto *coloured = qobject_cast<const ColouredWidget *>(widget))
        return coloured->colour();
    if (auto *option = qobject_cast<const WrappingRadioButton *>(widget))
        return option->backgroundColour();
    return widget->palette().color(QPalette::Window);
}

namespace {

// What a label and a button that looks like one share.
void applyCommon(QWidget *widget, const LabelDesign &design)
{
    widget->setObjectName(design.name);
    widget->setFont(design.font);
    widget->setGeometry(design.geometry);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, design.background);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::black);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

void apply(LabelButton *button, const LabelDesign &design)
{
    applyCommon(button, design);
    button->setText(design.text);
    button->setAlignment(design.alignment);
    button->setBorder(design.border);
}

void apply(QLabel *label, const LabelDesign &design)
{
    applyCommon(label, design);
    label->setText(design.text);
    label->setAlignment(design.alignment);
    label->setTextFormat(Qt::PlainText);
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

QToolButton *pictureButton(QWidget *parent, const LabelDesign &design, const QIcon &icon,
                           int iconSide)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(design.name);
    button->setText(design.text);
    button->setFont(design.font);
    button->setIcon(icon);
    button->setIconSize(QSize(iconSide, iconSide));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setGeometry(design.geometry);
    Focusable::install(button);
    return button;
}

bool readingOrder(const QWidget *a, const QWidget *b)
{
    return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
}

} // namespace Controls
