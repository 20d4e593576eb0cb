#include "ClockRandom.h"
#include "DisplayCheck.h"
#include "EffectSoundPlayer.h"
#include "MessageBoxDialogs.h"
#include "Modulo1.h"
#include "Program.h"
#include "WindowRegistry.h"

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

    QApplication app(argc, argv);
    // The windows carry no title of their own; window managers show this name.
    QApplication::setApplicationName(QStringLiteral("Tempiolo"));
    QApplication::setDesktopFileName(QStringLiteral("tempiolo"));
    // One look on every desktop, so the designed colours always show.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    ClockRandom random;
    EffectSoundPlayer sound;
    MessageBoxDialogs dialogs;
    WindowRegistry windows;
    Program::registerWindows(windows);
    Modulo1::install({&random, &sound, &dialogs, &windows, [] { QCoreApplication::quit(); }});

    Modulo1::Main();
    return app.exec();
}
