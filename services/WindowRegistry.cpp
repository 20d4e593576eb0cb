#include "WindowRegistry.h"

#include <QEvent>

#include <algorithm>
#include <QShortcut>

WindowRegistry::WindowRegistry(QObject *parent) : QObject(parent) {}

void WindowRegistry::setFactory(Finestra window, Factory factory)
{
    factories_[std::size_t(window)] = std::move(factory);
}

QWidget *WindowRegistry::show(Finestra window)
{
    QPointer<QWidget> &slot = open_[std::size_t(window)];
    if (!slot) {
        const Factory &factory = factories_[std::size_t(window)];
        if (!factory)
            return nullptr;
        QWidget *created = factory();
        created->setAttribute(Qt::WA_DeleteOnClose);
        created->setObjectName(QLatin1String(windowName(window)));
        created->setAccessibleName(QString::fromUtf8(shownName(window)));
        created->installEventFilter(this);
        connect(
            new QShortcut(QKeySequence(Qt::Key_F11), created), &QShortcut::activated, created,
            [created] { created->setWindowState(created->windowState() ^ Qt::WindowFullScreen); });
        slot = created;
    }
    if (std::find(playingWindows.begin(), playingWindows.end(), window) != playingWindows.end())
        lastExercise_ = window;
    if (fullScreen_)
        slot->showFullScreen();
    else
        slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

void WindowRegistry::close(Finestra window)
{
    QPointer<QWidget> &slot = open_[std::size_t(window)];
    if (QWidget *widget = slot) {
        slot = nullptr;
        widget->close();
    }
}

void WindowRegistry::closeAll()
{
    for (Finestra window : allWindows)
        close(window);
}

bool WindowRegistry::isOpen(Finestra window) const
{
    return !open_[std::size_t(window)].isNull();
}

QWidget *WindowRegistry::window(Finestra window) const
{
    return open_[std::size_t(window)];
}

bool WindowRegistry::eventFilter(QObject *watched, QEvent *event)
{
    // A window closed by the window system is forgotten at once, although
    // Qt deletes it only later.
    if (event->type() == QEvent::Close) {
        for (QPointer<QWidget> &slot : open_) {
            if (slot == watched)
                slot = nullptr;
        }
    }
    return QObject::eventFilter(watched, event);
}
