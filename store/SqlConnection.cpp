#include "SqlConnection.h"

#include <QAtomicInteger>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QAtomicInteger<quint64> connections;

} // namespace

SqlConnection::SqlConnection(const QString &path, const QString &options)
    : name_(QStringLiteral("tempiolo-risultati-%1").arg(connections.fetchAndAddRelaxed(1)))
{
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    db_.setConnectOptions(options);
    db_.open();
}

SqlConnection::~SqlConnection()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

int SqlConnection::primaryCode(const QSqlError &error)
{
    // The driver reports SQLite's extended codes; their low byte is the primary one.
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xFF : -1;
}

QVariant SqlConnection::value(const QString &statement, QSqlError *error)
{
    QSqlQuery query(db_);
    if (!query.exec(statement) || (!query.next() && query.lastError().isValid())) {
        if (error)
            *error = query.lastError();
        return {};
    }
    if (error)
        *error = QSqlError();
    return query.isValid() ? query.value(0) : QVariant(QString());
}
