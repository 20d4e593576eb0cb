#include "AccessibleFactory.h"
#include "Choices.h"
#include "ClockRandom.h"
#include "DisplayCheck.h"
#include "FirstPaint.h"
#include "LazySoundPlayer.h"
#include "MessageBoxDialogs.h"
#include "Modulo1.h"
#include "Pictures.h"
#include "Program.h"
#include "Services.h"
#include "Voice.h"
#include "WindowRegistry.h"

#include <QAccessible>
#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char *argv[])
{
    QString problem;
    if (!DisplayCheck::displayAvailable(&problem)) {
        std::fprintf(stderr, "tempiolo: %s\n", qPrintable(problem));
        return 2;
    }

    DisplayCheck::guardOpening();
    QApplication app(argc, argv);
    DisplayCheck::openingDone();
    // The windows carry no title of their own; window managers show this name.
    QApplication::setApplicationName(QStringLiteral("Tempiolo"));
    QApplication::setDesktopFileName(QStringLiteral("tempiolo"));
    // One look on every desktop, so the designed colours always show.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QAccessible::installFactory(AccessibleFactory::create);

    ClockRandom random;
    LazySoundPlayer sound;
    MessageBoxDialogs dialogs;
    WindowRegistry windows;
    Choices choices;
    Voice voice(sound, choices);
    const Services services{
        random, sound, dialogs, windows, choices, voice, [] { QCoreApplication::quit(); }};
    Program::registerWindows(windows, services);
    // For whiteboards and projectors: every window fills the screen.
    windows.setFullScreen(
        QCoreApplication::arguments().contains(QStringLiteral("--schermo-intero")));

    Modulo1::Main(services);
    QWidget *startScreen = windows.window(Finestra::FormAvvio);
    // Ready before the first answer, but not in the way of the start screen:
    // the sounds, and the calendar-page icon of the start screen and the menu
    // (the window system asks for it in several sizes).
    FirstPaint::after(startScreen, [&sound] {
        QApplication::setWindowIcon(Pictures::icon(Pictures::calendarPage()));
        sound.preload(Modulo1::allSoundPaths());
    });
    // Installed last, so it is told of the paint first and reports before the preload.
    if (FirstPaint::reportRequested())
        FirstPaint::report(startScreen);
    return app.exec();
}
