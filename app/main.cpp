#include "AccessibleFactory.h"
#include "Choices.h"
#include "Classroom.h"
#include "ClockRandom.h"
#include "CommandLine.h"
#include "DisplayCheck.h"
#include "FirstPaint.h"
#include "LazyAnswerLog.h"
#include "LazySoundPlayer.h"
#include "MessageBoxDialogs.h"
#include "Modulo1.h"
#include "Pictures.h"
#include "Program.h"
#include "ResultsLibrary.h"
#include "ServiceFile.h"
#include "Services.h"
#include "Voice.h"
#include "WindowRegistry.h"

#include <QAccessible>
#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// The teacher's side is a program of its own beside this one, so that a
// child's start never loads what it needs: "La classe" (--classe) and the
// export of the answers (--esporta-risultati FILE.csv) hand over to it, with
// the same arguments.
[[noreturn]] void handOverToTeacher(char *argv[])
{
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QByteArray teacher =
        QFile::encodeName(QFileInfo(self).absolutePath() + QStringLiteral("/tempiolo-classe"));
    execv(teacher.constData(), argv);
    std::fprintf(stderr, "tempiolo: %s: %s\n", teacher.constData(), std::strerror(errno));
    std::exit(2);
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine line(
        QStringLiteral("tempiolo"),
        QStringLiteral("Tempiolo: i giorni della settimana e i mesi dell'anno, per la scuola "
                       "primaria."),
        CommandLine::of(argc, argv));
    if (line.forTeacher())
        handOverToTeacher(argv);
    if (line.request() != CommandLine::Request::Play)
        return line.reply();

    const std::unique_ptr<QApplication> app = DisplayCheck::openApplication(argc, argv);
    if (!app)
        return 2;
    QAccessible::installFactory(AccessibleFactory::create);

    ClockRandom random;
    LazySoundPlayer sound;
    MessageBoxDialogs dialogs;
    WindowRegistry windows;
    Choices choices;
    Voice voice(sound, choices);
    // Only once a child of a class plays is the answer log, and Qt SQL, loaded.
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    Classroom classroom(dataFolder, [dataFolder]() -> std::unique_ptr<AnswerLog> {
        auto log = std::make_unique<LazyAnswerLog>(dataFolder, QSysInfo::machineHostName());
        log->load();
        return log;
    });
    // With a school's server, the class comes from there, read in the
    // background from the start: the module, and Qt SQL, come with it.
    if (ServiceFile::defines(ServiceFile::children)) {
        const auto library = std::make_shared<ResultsLibrary>();
        classroom.setServer(
            [library](const QString &name, ServerClassList *list, QString *problem) {
                return library->readServerClass(ServiceFile::children, name, list, problem);
            },
            [library, dataFolder](const QString &child, QString *error) {
                return library->removeChild(dataFolder, child, error);
            });
        classroom.fetch();
    }
    const Services services{random,  sound, dialogs,   windows,
                            choices, voice, classroom, [] { QCoreApplication::quit(); }};
    Program::registerWindows(windows, services);
    // For whiteboards and projectors: every window fills the screen.
    windows.setFullScreen(line.fullScreen());

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
    return app->exec();
}
