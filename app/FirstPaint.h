#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs work once a window has first been painted: whatever is not needed to
// show the start screen waits until it is on screen.
class FirstPaint : public QObject
{
    Q_OBJECT

public:
    // Calls `then` once, right after the first paint of `window`.
    static void after(QWidget *window, std::function<void()> then);

    // For start-up benchmarks: with TEMPIOLO_BENCH_FIRST_PAINT set, prints
    // "first-paint <monotonic ns>" after the first paint and quits.
    static bool reportRequested();
    static void report(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FirstPaint(QObject *parent, std::function<void()> then);
    std::function<void()> then_;
};
