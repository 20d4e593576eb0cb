#include "SchoolServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <pwd.h>
#include <unistd.h>

namespace {

const QString binaries = QStringLiteral("/usr/lib/postgresql/15/bin");
// A port of the test process's own: two tests' servers at once (ctest -j2)
// never share the shared memory keys PostgreSQL derives from it.
const QString port = QString::number(20000 + getpid() % 20000);

QString bin(const QString &program)
{
    return QDir(binaries).filePath(program);
}

} // namespace

SchoolServer::SchoolServer()
{
    if (!folder_.isValid())
        return;
    qputenv("PGSERVICEFILE", QFile::encodeName(serviceFile()));
    QFile services(serviceFile());
    if (services.open(QIODevice::WriteOnly)) {
        const QString common =
            QStringLiteral("host=%1\nport=%2\ndbname=tempiolo\n").arg(folder_.path(), port);
        // And two that go wrong: a password the server refuses, a role it lacks.
        services.write(QStringLiteral("[tempiolo-admin]\n%1user=postgres\n\n"
                                      "[tempiolo]\n%1user=tempiolo_pc\n\n"
                                      "[tempiolo-insegnante]\n%1user=tempiolo_insegnante\n\n"
                                      "[tempiolo-chiave]\n%1user=tempiolo_chiave\n"
                                      "password=sbagliata\n\n"
                                      "[tempiolo-ignoto]\n%1user=tempiolo_ignoto\n")
                           .arg(common)
                           .toUtf8());
    }
}

SchoolServer::~SchoolServer()
{
    // Even when it was thought stopped: a server left running outlives the test.
    if (QFile::exists(folder_.filePath(QStringLiteral("data/postmaster.pid"))))
        crash();
    qunsetenv("PGSERVICEFILE");
}

QString SchoolServer::missing()
{
    if (!QFile::exists(bin(QStringLiteral("pg_ctl"))))
        return QStringLiteral("PostgreSQL 15 is not installed (the postgresql package)");
    if (geteuid() == 0 && !getpwnam("postgres"))
        return QStringLiteral("running as root, with no postgres account to run the server");
    return {};
}

QString SchoolServer::serviceFile() const
{
    return folder_.filePath(QStringLiteral("pg_service.conf"));
}

QByteArray SchoolServer::log() const
{
    QFile file(folder_.filePath(QStringLiteral("log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QProcessEnvironment SchoolServer::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PGSERVICEFILE"), serviceFile());
    return environment;
}

QStringList SchoolServer::asOwner(const QString &program, const QStringList &arguments) const
{
    if (geteuid() != 0)
        return QStringList{bin(program)} + arguments;
    return QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"),
                       QStringLiteral("--"), bin(program)} +
           arguments;
}

bool SchoolServer::run(const QStringList &command, QString *output) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    const bool finished = process.waitForFinished(120000);
    const QString said = QString::fromLocal8Bit(process.readAll());
    if (output)
        *output = said;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const_cast<SchoolServer *>(this)->problem_ =
            command.join(u' ') + QStringLiteral(": ") + said;
        return false;
    }
    return true;
}

bool SchoolServer::start()
{
    if (!(problem_ = missing()).isEmpty() || !folder_.isValid())
        return false;
    if (geteuid() == 0) {
        const passwd *owner = getpwnam("postgres");
        if (chown(QFile::encodeName(folder_.path()).constData(), owner->pw_uid, owner->pw_gid) !=
            0) {
            problem_ = QStringLiteral("cannot give the folder to postgres");
            return false;
        }
    }
    const QString data = folder_.filePath(QStringLiteral("data"));
    if (!run(asOwner(QStringLiteral("initdb"),
                     {QStringLiteral("-D"), data, QStringLiteral("-A"), QStringLiteral("trust"),
                      QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("-E"),
                      QStringLiteral("UTF8"), QStringLiteral("--locale=C"),
                      QStringLiteral("--no-sync")})))
        return false;
    // The role tempiolo_chiave logs in with a password; every other one is trusted.
    QFile hba(QDir(data).filePath(QStringLiteral("pg_hba.conf")));
    if (!hba.open(QIODevice::ReadOnly)) {
        problem_ = QStringLiteral("cannot read pg_hba.conf");
        return false;
    }
    const QByteArray rules = "local all tempiolo_chiave scram-sha-256\n" + hba.readAll();
    hba.close();
    if (!hba.open(QIODevice::WriteOnly | QIODevice::Truncate) || hba.write(rules) != rules.size()) {
        problem_ = QStringLiteral("cannot write pg_hba.conf");
        return false;
    }
    hba.close();
    if (!restart())
        return false;
    return run(
        asOwner(QStringLiteral("createdb"),
                {QStringLiteral("-h"), folder_.path(), QStringLiteral("-p"), port,
                 QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("tempiolo")}));
}

bool SchoolServer::restart()
{
    // Only the folder's socket: nothing of it is reachable from the network.
    const QString options =
        QStringLiteral("-c listen_addresses='' -k %1 -p %2 -c fsync=off").arg(folder_.path(), port);
    return run(
        asOwner(QStringLiteral("pg_ctl"),
                {QStringLiteral("-D"), folder_.filePath(QStringLiteral("data")),
                 QStringLiteral("-l"), folder_.filePath(QStringLiteral("log")),
                 QStringLiteral("-o"), options, QStringLiteral("-w"), QStringLiteral("start")}));
}

bool SchoolServer::crash()
{
    return run(asOwner(QStringLiteral("pg_ctl"),
                       {QStringLiteral("-D"), folder_.filePath(QStringLiteral("data")),
                        QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                        QStringLiteral("stop")}));
}

QString SchoolServer::psql(const QString &sql) const
{
    QString output;
    if (!run({QStringLiteral("psql"), QStringLiteral("-X"), QStringLiteral("-q"),
              QStringLiteral("-A"), QStringLiteral("-t"), QStringLiteral("-v"),
              QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("service=tempiolo-admin"),
              QStringLiteral("-c"), sql},
             &output))
        return {};
    return output.trimmed();
}
