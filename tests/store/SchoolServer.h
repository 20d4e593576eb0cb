#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A real PostgreSQL server of the test's own, in a temporary folder,
// reached only through a socket there, with a libpq service file naming
// the program's three services (the owner's, the PCs' and La classe's) and
// PGSERVICEFILE pointing at it. As root, the server runs as the system's
// postgres account, since PostgreSQL refuses to run as root.
class SchoolServer
{
public:
    SchoolServer();
    ~SchoolServer();
    SchoolServer(const SchoolServer &) = delete;
    SchoolServer &operator=(const SchoolServer &) = delete;

    // Whether this machine has PostgreSQL's programs; why not, if not.
    static QString missing();

    // Makes the cluster and the database, and starts it; false with
    // problem() set when any step fails.
    bool start();
    // Starts the stopped server again, with its data.
    bool restart();
    // Stops it as a crash would (the postmaster and every backend killed).
    bool crash();

    QString problem() const { return problem_; }
    QString serviceFile() const;
    // What the server wrote in its log.
    QByteArray log() const;
    // The environment of a process that is to use this server.
    QProcessEnvironment environment() const;
    // Runs psql as the owner; the output, or a null string on failure.
    QString psql(const QString &sql) const;

private:
    bool run(const QStringList &command, QString *output = nullptr) const;
    QStringList asOwner(const QString &program, const QStringList &arguments) const;

    QTemporaryDir folder_;
    QString problem_;
};
