#include "TestProgram.h"

#include "Lingua.h"
#include "Modulo1.h"
#include "Program.h"
#include "Voci.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QTest>

TestProgram::TestProgram()
{
    // Settings and a teacher's own clips go to a folder of the tests' own.
    QStandardPaths::setTestModeEnabled(true);
    Voci::setAttiva(true);
    Lingua::setCorrente(QStringLiteral("it"));
    Program::registerWindows(windows);
    Modulo1::install({&random, &sound, &dialogs, &windows, [this] { ++quitRequests; }});
    Modulo1::NumEsatti = 0;
    Modulo1::NumErrati = 0;
    Modulo1::AttendiAvanti = true;
}

TestProgram::~TestProgram()
{
    windows.closeAll();
    settle();
    Modulo1::install({});
}

QWidget *TestProgram::open(Finestra window)
{
    QWidget *shown = windows.show(window);
    settle();
    return shown;
}

void TestProgram::settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QList<Finestra> TestProgram::openWindows() const
{
    QList<Finestra> open;
    for (Finestra window : allWindows) {
        if (windows.isOpen(window))
            open << window;
    }
    return open;
}
