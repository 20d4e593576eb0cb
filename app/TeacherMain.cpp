#include "ClassList.h"
#include "ClassWindow.h"
#include "CommandLine.h"
#include "DisplayCheck.h"
#include "MessageBoxDialogs.h"
#include "ResultsCsv.h"
#include "ServerConnection.h"
#include "ServerSchema.h"
#include "ServiceFile.h"

#include <QApplication>
#include <QHash>
#include <QStandardPaths>

#include <cstdio>

namespace {

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void say(const QString &line)
{
    std::fprintf(stderr, "tempiolo: %s\n", qPrintable(line));
}

QString missingService(const QString &service)
{
    return QStringLiteral("manca il servizio %1 nel file dei servizi di PostgreSQL (%2).")
        .arg(service, ServiceFile::candidates().join(QStringLiteral(", ")));
}

// For the school's technician, once on the server with the owner's
// connection: the tables and the two roles. Safe to run again.
int prepareServer()
{
    if (!ServiceFile::defines(ServiceFile::owner)) {
        say(QStringLiteral("Il server non si prepara: ") + missingService(ServiceFile::owner));
        return 1;
    }
    ServerConnection server(ServiceFile::owner);
    if (!server.open(false)) {
        say(server.reason());
        return 1;
    }
    int found = 0;
    QSqlError error;
    const int version = ServerSchema::version;
    const QString roles =
        QStringLiteral("i ruoli %1 e %2").arg(ServerSchema::pcRole, ServerSchema::teacherRole);
    switch (ServerSchema::prepare(server.db(), &found, &error)) {
    case ServerSchema::Outcome::Made:
        std::printf("%s\n", qPrintable(QStringLiteral("Il server è pronto: le tabelle della "
                                                      "versione %1 e %2.")
                                           .arg(version)
                                           .arg(roles)));
        return 0;
    case ServerSchema::Outcome::Upgraded:
        std::printf("%s\n", qPrintable(QStringLiteral("Il server è stato aggiornato dalla "
                                                      "versione %1 alla %2, con %3.")
                                           .arg(found)
                                           .arg(version)
                                           .arg(roles)));
        return 0;
    case ServerSchema::Outcome::AlreadyThere:
        std::printf("%s\n", qPrintable(QStringLiteral("Il server era già pronto (versione %1): i "
                                                      "permessi di %2 sono confermati.")
                                           .arg(version)
                                           .arg(roles)));
        return 0;
    case ServerSchema::Outcome::Newer:
        say(QStringLiteral("Il server è della versione %1, più recente di questo programma "
                           "(%2): non è stato toccato.")
                .arg(found)
                .arg(version));
        return 1;
    case ServerSchema::Outcome::Failed:
        break;
    }
    say(QStringLiteral("Il server non si prepara: %1").arg(error.databaseText().trimmed()));
    return 1;
}

// With the teacher's service, every answer on the school's server.
int exportServerResults(const QString &csvPath)
{
    ServerConnection server(ServiceFile::teacher);
    if (!server.open()) {
        say(server.reason());
        return 1;
    }
    QString error;
    if (!ResultsCsv::exportServer(server.db(), csvPath, &error)) {
        say(error);
        return 1;
    }
    return 0;
}

// For the school's technician: every kept answer as CSV, with no display.
int exportResults(const QString &csvPath)
{
    if (ServiceFile::defines(ServiceFile::teacher))
        return exportServerResults(csvPath);
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
    case CommandLine::Request::PrepareServer: {
        QCoreApplication app(argc, argv);
        return prepareServer();
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
