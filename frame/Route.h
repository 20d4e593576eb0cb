#pragma once

#include <QString>

// The ways a child moves a card onto a place: a drag with the mouse or a
// finger, a tap on the card and one on the place, the keyboard, or a
// screen reader's or switch's press.
enum class Route { Drag, Tap, Keys, Switch };

// As the kept answers name it.
inline QString routeName(Route route)
{
    switch (route) {
    case Route::Drag:
        return QStringLiteral("trascinamento");
    case Route::Tap:
        return QStringLiteral("tocco");
    case Route::Keys:
        return QStringLiteral("tastiera");
    case Route::Switch:
        break;
    }
    return QStringLiteral("comando");
}
