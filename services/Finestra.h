#pragma once

#include <QString>

#include <array>
#include <optional>

// The program's windows, each reached by its name: the start screen, the
// menu, the seven exercises, and "Chi gioca?" where the children of a
// class pick themselves.
enum class Finestra {
    FormAvvio,
    FormMenu,
    Form1,
    Form2,
    Form3,
    Form4,
    Form5,
    Form6,
    Form7,
    PlayerPicker,
    Ripasso,
};

inline constexpr std::array<Finestra, 7> exerciseWindows = {
    Finestra::Form1, Finestra::Form2, Finestra::Form3, Finestra::Form4,
    Finestra::Form5, Finestra::Form6, Finestra::Form7,
};

// The windows a child answers in: the seven exercises and the review.
inline constexpr std::array<Finestra, 8> playingWindows = {
    Finestra::Form1, Finestra::Form2, Finestra::Form3, Finestra::Form4,
    Finestra::Form5, Finestra::Form6, Finestra::Form7, Finestra::Ripasso,
};

inline constexpr std::array<Finestra, 11> allWindows = {
    Finestra::FormAvvio, Finestra::FormMenu,     Finestra::Form1,   Finestra::Form2,
    Finestra::Form3,     Finestra::Form4,        Finestra::Form5,   Finestra::Form6,
    Finestra::Form7,     Finestra::PlayerPicker, Finestra::Ripasso,
};

const char *windowName(Finestra window);

// What the child sees a window called: the exercise's button on the menu,
// or the program's name. Screen readers say it when the window opens.
const char *shownName(Finestra window);

// The key an exercise's answers are kept under, which no change of its
// caption touches: "riordina-mesi-1", "calendario". "" for other windows.
const char *exerciseKey(Finestra window);
// The exercise window of a key; nothing for a key of no window.
std::optional<Finestra> exerciseOfKey(const QString &key);
