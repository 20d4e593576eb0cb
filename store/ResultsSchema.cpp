#include "ResultsSchema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtEndian>

#include <functional>

namespace {

// From no tables to the first version: children by their id in the class
// list (names never come here), and their answers. The time is kept as UTC
// with the offset the computer had, so the local time the child saw comes
// back the same wherever the file is read.
bool createVersion1(QSqlQuery &query)
{
    return query.exec(QStringLiteral("CREATE TABLE children ("
                                     " id INTEGER PRIMARY KEY,"
                                     " uuid TEXT NOT NULL UNIQUE)")) &&
           query.exec(QStringLiteral("CREATE TABLE answers ("
                                     " id INTEGER PRIMARY KEY,"
                                     " answered_at INTEGER NOT NULL,"
                                     " utc_offset INTEGER NOT NULL,"
                                     " child INTEGER NOT NULL REFERENCES children(id),"
                                     " computer TEXT NOT NULL,"
                                     " exercise TEXT NOT NULL,"
                                     " language TEXT NOT NULL,"
                                     " asked TEXT NOT NULL,"
                                     " given TEXT NOT NULL,"
                                     " is_right INTEGER NOT NULL,"
                                     " route TEXT NOT NULL,"
                                     " seconds REAL NOT NULL)"));
}

// steps[v] brings a file from version v to v + 1.
const std::function<bool(QSqlQuery &)> steps[] = {createVersion1};
static_assert(std::size(steps) == ResultsSchema::version);

} // namespace

namespace ResultsSchema {

int versionInHeader(const QString &path)
{
    QFile file(path);
    if (!file.exists() || file.size() == 0)
        return 0;
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return -1;
    return qFromBigEndian<qint32>(header.constData() + 60);
}

bool upgrade(QSqlDatabase &db, int *found, QSqlError *error)
{
    QSqlQuery query(db);
    const auto failed = [&] {
        *error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    // Immediate, so that two programs opening one file cannot both upgrade it.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed();
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed();
    *found = query.value(0).toInt();
    query.finish();
    if (*found < 0) {
        // Not a version any build wrote: some other program's file.
        query.exec(QStringLiteral("ROLLBACK"));
        *error = QSqlError(QString(), QStringLiteral("user_version %1").arg(*found),
                           QSqlError::StatementError);
        return false;
    }
    if (*found >= version) {
        *error = QSqlError();
        query.exec(QStringLiteral("ROLLBACK"));
        return *found == version;
    }
    for (int step = *found; step < version; ++step) {
        if (!steps[step](query))
            return failed();
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)) ||
        !query.exec(QStringLiteral("COMMIT")))
        return failed();
    *error = QSqlError();
    return true;
}

} // namespace ResultsSchema
