#include "LabelButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

LabelButton::LabelButton(QWidget *parent) : QAbstractButton(parent)
{
    // A label's roles, so that the palette it is given paints it as one.
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
}

void LabelButton::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void LabelButton::setBorder(bool border)
{
    border_ = border;
    update();
}

void LabelButton::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    QRect area = rect();
    if (border_) {
        // The same frame the style draws for a plain boxed label.
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.frameShape = QFrame::Box;
        frame.lineWidth = 1;
        frame.midLineWidth = 0;
        style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
        area.adjust(1, 1, -1, -1);
    }
    QStyleOption option;
    option.initFrom(this);
    style()->drawItemText(&painter, area, int(alignment_) | Qt::TextForceLeftToRight,
                          option.palette, isEnabled(), text(), foregroundRole());
}
