#include "WrappingRadioButton.h"

#include "WindowScale.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrappingRadioButton::WrappingRadioButton(const QString &text, QWidget *parent)
    : QRadioButton(text, parent)
{
}

void WrappingRadioButton::setBackgroundColour(const QColor &colour)
{
    background_ = colour;
    update();
}

void WrappingRadioButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    if (background_.isValid())
        painter.fillRect(rect(), background_);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();

    QRect indicator = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    // On an enlarged window the dot grows with the caption's font.
    const double scale = WindowScale::of(this);
    const QSize drawn = indicator.size() * scale;
    indicator.moveTop((height() - drawn.height()) / 2);
    QStyleOptionButton indicatorOption = option;
    indicatorOption.rect = QRect(QPoint(), indicator.size());
    painter.save();
    painter.translate(indicator.topLeft());
    painter.scale(scale, scale);
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicatorOption);
    painter.restore();

    const int gap = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
    const QRect textRect =
        rect().adjusted(indicator.left() + drawn.width() + int(gap * scale), 0, 0, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textRect;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
