#include "TestProgram.h"

#include "AccessibleFactory.h"
#include "ClassList.h"
#include "Modulo1.h"
#include "Program.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QTest>

namespace {

// As the program does when it starts.
void installAccessibility()
{
    QAccessible::installFactory(AccessibleFactory::create);
}
Q_COREAPP_STARTUP_FUNCTION(installAccessibility)

} // namespace

TestProgram::TestMode::TestMode()
{
    QStandardPaths::setTestModeEnabled(true);
}

TestProgram::TestProgram()
{
    choices.setVoiceOn(true);
    choices.setLanguage(QStringLiteral("it"));
    Program::registerWindows(windows, services);
    Modulo1::NumEsatti = 0;
    Modulo1::NumErrati = 0;
    Modulo1::AttendiAvanti = true;
}

TestProgram::~TestProgram()
{
    windows.closeAll();
    settle();
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

QStringList TestProgram::playAs(const QStringList &names)
{
    QStringList ids;
    {
        ClassList list(data.path());
        for (const QString &name : names)
            ids << list.add(name).id;
    }
    classroom.refresh();
    classroom.play(ids.value(0));
    return ids;
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
