#include "ServerConnection.h"

#include <QAtomicInteger>

namespace {

QAtomicInteger<quint64> connections;

// A server that is gone is noticed within seconds, not after the system's
// TCP timeouts of minutes: when connecting, and on a connection that stops
// answering.
const QString patience =
    QStringLiteral("connect_timeout=5;keepalives_idle=5;keepalives_interval=2;keepalives_count=2;"
                   "tcp_user_timeout=10000;application_name=tempiolo");

} // namespace

ServerConnection::ServerConnection(const QString &service)
    : service_(service),
      name_(QStringLiteral("tempiolo-server-%1").arg(connections.fetchAndAddRelaxed(1)))
{
}

ServerConnection::~ServerConnection()
{
    close();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(name_))
        QSqlDatabase::removeDatabase(name_);
}

bool ServerConnection::open()
{
    if (db_.isOpen())
        return true;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        reason_ =
            QStringLiteral("Manca il driver PostgreSQL di Qt (il pacchetto libqt6sql6-psql).");
        return false;
    }
    if (!db_.isValid()) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        // Everything else comes from the service file and ~/.pgpass.
        db_.setConnectOptions(QStringLiteral("service=%1;%2").arg(service_, patience));
    }
    if (!db_.open()) {
        reason_ = QStringLiteral("Il server della scuola (servizio %1) non risponde: %2")
                      .arg(service_, db_.lastError().databaseText().trimmed());
        return false;
    }
    reason_.clear();
    return true;
}

void ServerConnection::close()
{
    if (db_.isValid())
        db_.close();
}

bool ServerConnection::isConnectionLost(const QSqlError &error)
{
    // Class 08 is "connection exception"; libpq gives no state at all for a
    // connection that broke under a statement.
    const QString code = state(error);
    return code.isEmpty() || code.startsWith(QLatin1String("08")) ||
           code == QLatin1String("57P01") || code == QLatin1String("57P02") ||
           code == QLatin1String("57P03");
}

QString ServerConnection::state(const QSqlError &error)
{
    return error.nativeErrorCode();
}
