#pragma once

#include <QVariant>
#include <QWidget>

// The factor by which a window shows its design now (1 at its designed
// size), kept on the window itself so that message boxes and marks drawn
// over it can follow it.
namespace WindowScale {

inline constexpr char property[] = "tempioloScale";

inline double of(const QWidget *widget)
{
    const QVariant factor = widget ? widget->window()->property(property) : QVariant();
    return factor.isValid() ? factor.toDouble() : 1.0;
}

inline void set(QWidget *window, double factor)
{
    window->setProperty(property, factor);
}

} // namespace WindowScale
