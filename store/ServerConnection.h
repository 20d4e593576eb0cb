#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// One connection to the school's PostgreSQL server through Qt's QPSQL
// driver, by a libpq service name, on the thread that made it. Where the
// server is and who logs in is the service file's business; a server that
// does not answer is given up after a few seconds, never waited for.
class ServerConnection
{
public:
    explicit ServerConnection(const QString &service);
    ~ServerConnection();
    ServerConnection(const ServerConnection &) = delete;
    ServerConnection &operator=(const ServerConnection &) = delete;

    // Opens it when it is not open, and checks that the server was prepared
    // by this build's version (not for the owner's connection, which
    // prepares it); false with reason() set when either fails.
    bool open(bool checkSchema = true);
    void close();
    bool isOpen() const { return db_.isOpen(); }
    QSqlDatabase &db() { return db_; }
    QString service() const { return service_; }

    // An Italian sentence for why the server could not be used.
    QString reason() const { return reason_; }
    // Whether `error` says the connection itself is gone (a server stopped,
    // a network cut) rather than a statement refused.
    static bool isConnectionLost(const QSqlError &error);
    // The SQLSTATE of a refused statement ("42501": no right to it).
    static QString state(const QSqlError &error);

private:
    QString connectionProblem(const QString &said) const;

    QString service_;
    QString name_;
    QSqlDatabase db_;
    QString reason_;
};
