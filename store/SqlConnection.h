#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>

// One SQLite connection of Qt SQL, open for as long as this object lives, on
// the thread that made it (Qt SQL's connections belong to one thread). Its
// queries must end before it does.
class SqlConnection
{
public:
    // `options`: Qt's QSQLITE connect options, e.g. "QSQLITE_OPEN_READONLY".
    SqlConnection(const QString &path, const QString &options);
    ~SqlConnection();
    SqlConnection(const SqlConnection &) = delete;
    SqlConnection &operator=(const SqlConnection &) = delete;

    bool isOpen() const { return db_.isOpen(); }
    QSqlDatabase &db() { return db_; }

    // SQLite's primary result code of an error (SQLITE_CORRUPT is 11, ...).
    static int primaryCode(const QSqlError &error);
    // Runs one statement and returns the first column of its first row, or
    // an invalid variant with `error` set when it fails.
    QVariant value(const QString &statement, QSqlError *error = nullptr);

private:
    QString name_;
    QSqlDatabase db_;
};
