#include "ClassList.h"
#include "ClassWindow.h"
#include "CommandLine.h"
#include "DisplayCheck.h"
#include "MessageBoxDialogs.h"
#include "ResultsCsv.h"

#include <QApplication>
#include <QHash>
#include <QStandardPaths>

#include <cstdio>

namespace {

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// For the school's technician: every kept answer as CSV, with no display.
int exportResults(const QString &csvPath)
{
    const QString folder = dataFolder();
    QHash<QString, QString> names;
    const ClassList list(folder);
    for (const Child &child : list.children())
        names.insert(child.id, child.name);
    QString error;
    QStringList skipped;
    if (!ResultsCsv::exportFolder(folder, csvPath, names, &error, &skipped)) {
        std::fprintf(stderr, "tempiolo: %s\n", qPrintable(error));
        return 1;
    }
    // What could not be read is said, and the rest is written.
    for (const QString &problem : skipped)
        std::fprintf(stderr, "tempiolo: %s\n", qPrintable(problem));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine line(QStringLiteral("tempiolo-classe"),
                           QStringLiteral("La classe di Tempiolo: i bambini della classe e i loro "
                                          "risultati, per l'insegnante."),
                           CommandLine::of(argc, argv));
    switch (line.request()) {
    case CommandLine::Request::Export: {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Tempiolo"));
        return exportResults(line.exportPath());
    }
    case CommandLine::Request::ClassWindow:
    case CommandLine::Request::Play:
        break;
    case CommandLine::Request::Help:
    case CommandLine::Request::Version:
    case CommandLine::Request::Refused:
        return line.reply();
    }

    const std::unique_ptr<QApplication> app = DisplayCheck::openApplication(argc, argv);
    if (!app)
        return 2;
    MessageBoxDialogs dialogs;
    ClassWindow window(dataFolder(), dialogs);
    window.show();
    return app->exec();
}
