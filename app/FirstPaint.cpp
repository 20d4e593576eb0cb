#include "FirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>

FirstPaint::FirstPaint(QObject *parent, std::function<void()> then)
    : QObject(parent), then_(std::move(then))
{
}

void FirstPaint::after(QWidget *window, std::function<void()> then)
{
    window->installEventFilter(new FirstPaint(window, std::move(then)));
}

bool FirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Queued, so it runs once the paint has reached the screen.
        QMetaObject::invokeMethod(
            this,
            [this] {
                then_();
                deleteLater();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

bool FirstPaint::reportRequested()
{
    return qEnvironmentVariableIsSet("TEMPIOLO_BENCH_FIRST_PAINT");
}

void FirstPaint::report(QWidget *window)
{
    after(window, [] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("first-paint %lld\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}
