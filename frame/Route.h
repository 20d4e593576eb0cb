#pragma once

// The ways a child moves a card onto a place: a drag with the mouse or a
// finger, a tap on the card and one on the place, the keyboard, or a
// screen reader's or switch's press.
enum class Route { Drag, Tap, Keys, Switch };
