#pragma once

#include "Finestra.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

// Holds at most one instance of each window. Show creates a closed window
// afresh from its design (its constructor is its load), close discards it.
class WindowRegistry : public QObject
{
    Q_OBJECT

public:
    using Factory = std::function<QWidget *()>;

    explicit WindowRegistry(QObject *parent = nullptr);

    void setFactory(Finestra window, Factory factory);

    // Creates the window if it is closed, shows it and brings it to the front.
    QWidget *show(Finestra window);
    // Closing a window that is not open does nothing.
    void close(Finestra window);
    void closeAll();

    // Every window shown from now on fills the screen (started with
    // --schermo-intero); F11 switches any window in and out of full screen.
    void setFullScreen(bool on) { fullScreen_ = on; }
    bool fullScreen() const { return fullScreen_; }

    // The exercise shown last, so the menu can offer it again first.
    std::optional<Finestra> lastExercise() const { return lastExercise_; }

    bool isOpen(Finestra window) const;
    QWidget *window(Finestra window) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<Factory, allWindows.size()> factories_;
    std::array<QPointer<QWidget>, allWindows.size()> open_;
    bool fullScreen_ = false;
    std::optional<Finestra> lastExercise_;
};
