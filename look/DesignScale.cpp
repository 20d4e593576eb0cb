#include "DesignScale.h"

#include "WindowScale.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFrame>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

int scaled(int value, double factor, double shift = 0)
{
    return int(std::lround(value * factor + shift));
}

} // namespace

DesignScale::DesignScale(QWidget *canvas, const QSize &designed)
    : QObject(canvas), canvas_(canvas), designed_(designed)
{
    setObjectName(QStringLiteral("designScale"));
    canvas->setMinimumSize(designed);
    canvas->resize(designed);
    canvas->installEventFilter(this);
}

DesignScale *DesignScale::install(QWidget *canvas, const QSize &designed)
{
    return new DesignScale(canvas, designed);
}

DesignScale *DesignScale::of(const QWidget *canvas)
{
    return canvas->findChild<DesignScale *>(QString(), Qt::FindDirectChildrenOnly);
}

void DesignScale::capture()
{
    controls_.clear();
    for (QWidget *child : canvas_->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        Control control{child, child->geometry(), child->font(), 0, QSize()};
        if (auto *frame = qobject_cast<QFrame *>(child))
            control.lineWidth = frame->lineWidth();
        if (auto *button = qobject_cast<QAbstractButton *>(child))
            control.iconSize = button->iconSize();
        controls_.push_back(control);
    }
    if (factor_ != 1.0 || !offset_.isNull())
        apply();
}

void DesignScale::move(QWidget *control, const QPoint &designed)
{
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].widget == control) {
            controls_[i].rect.moveTopLeft(designed);
            applyTo(i);
            return;
        }
    }
    control->move(designed);
}

QRect DesignScale::shown(const QRect &designed) const
{
    // Edges, not sizes, are scaled, so that neighbours stay neighbours.
    const int left = scaled(designed.left(), factor_, offset_.x());
    const int top = scaled(designed.top(), factor_, offset_.y());
    const int right = scaled(designed.left() + designed.width(), factor_, offset_.x());
    const int bottom = scaled(designed.top() + designed.height(), factor_, offset_.y());
    return QRect(left, top, right - left, bottom - top);
}

bool DesignScale::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == canvas_ && event->type() == QEvent::Resize)
        apply();
    return QObject::eventFilter(watched, event);
}

void DesignScale::apply()
{
    const QSize size = canvas_->size();
    const double factor = std::max(1.0, std::min(double(size.width()) / designed_.width(),
                                                 double(size.height()) / designed_.height()));
    const QPointF offset((size.width() - designed_.width() * factor) / 2,
                         (size.height() - designed_.height() * factor) / 2);
    if (factor == factor_ && offset == offset_)
        return;
    factor_ = factor;
    offset_ = offset;
    WindowScale::set(canvas_->window(), factor_);
    for (std::size_t i = 0; i < controls_.size(); ++i)
        applyTo(i);
}

void DesignScale::applyTo(std::size_t i)
{
    const Control &control = controls_[i];
    QWidget *widget = control.widget;
    if (!widget)
        return;
    widget->setGeometry(shown(control.rect));
    QFont font = control.font;
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(font.pixelSize(), factor_)));
    else
        font.setPointSizeF(font.pointSizeF() * factor_);
    widget->setFont(font);
    if (auto *frame = qobject_cast<QFrame *>(widget); frame && control.lineWidth > 0)
        frame->setLineWidth(std::max(1, scaled(control.lineWidth, factor_)));
    if (auto *button = qobject_cast<QAbstractButton *>(widget);
        button && control.iconSize.isValid())
        button->setIconSize(control.iconSize * factor_);
}
