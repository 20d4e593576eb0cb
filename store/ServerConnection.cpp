#include "ServerConnection.h"

#include "ServerSchema.h"
#include "ServiceFile.h"

#include <QAtomicInteger>

#include <algorithm>

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

bool ServerConnection::open(bool checkSchema)
{
    if (db_.isOpen())
        return true;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        reason_ =
            QStringLiteral("Manca il driver PostgreSQL di Qt (il pacchetto libqt6sql6-psql).");
        return false;
    }
    // Said here, in Italian, rather than in libpq's words.
    if (!ServiceFile::defines(service_)) {
        reason_ = QStringLiteral("Il servizio %1 non è nel file dei servizi di PostgreSQL (%2).")
                      .arg(service_, ServiceFile::candidates().join(QStringLiteral(", ")));
        return false;
    }
    if (!db_.isValid()) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        // Everything else comes from the service file and ~/.pgpass.
        db_.setConnectOptions(QStringLiteral("service=%1;%2").arg(service_, patience));
    }
    if (!db_.open()) {
        reason_ = connectionProblem(db_.lastError().databaseText().trimmed());
        return false;
    }
    const int version = checkSchema ? ServerSchema::versionOf(db_) : ServerSchema::version;
    if (version != ServerSchema::version) {
        reason_ = version > ServerSchema::version
                      ? QStringLiteral("Il server della scuola è stato preparato da una versione "
                                       "più recente di Tempiolo (tabelle della versione %1): "
                                       "su questo computer va aggiornato Tempiolo.")
                            .arg(version)
                  : version < 0 ? QStringLiteral("Il servizio %1 non ha i permessi che gli "
                                                 "servono sul server della scuola: va fatto di "
                                                 "nuovo tempiolo --prepara-server.")
                                      .arg(service_)
                                : QStringLiteral("Il server della scuola non è preparato per "
                                                 "questa versione di Tempiolo: va fatto "
                                                 "tempiolo --prepara-server.");
        db_.close();
        return false;
    }
    reason_.clear();
    return true;
}

QString ServerConnection::connectionProblem(const QString &said) const
{
    // libpq's and the server's words, in English or in Italian.
    const auto has = [&](std::initializer_list<const char *> words) {
        return std::any_of(words.begin(), words.end(), [&](const char *word) {
            return said.contains(QLatin1String(word), Qt::CaseInsensitive);
        });
    };
    if (has({"password authentication failed", "no password supplied",
             "autenticazione con password fallita", "nessuna password"}))
        return QStringLiteral("Il server della scuola non accetta la password del servizio %1: "
                              "va scritta giusta in ~/.pgpass.")
            .arg(service_);
    if (has({"pg_hba.conf"}))
        return QStringLiteral("Il server della scuola non lascia entrare questo computer con il "
                              "servizio %1 (pg_hba.conf sul server).")
            .arg(service_);
    if (has({"role \"", "il ruolo \""}) && has({"does not exist", "non esiste"}))
        return QStringLiteral("Sul server della scuola manca il ruolo del servizio %1: va fatto "
                              "tempiolo --prepara-server.")
            .arg(service_);
    if (has({"database \"", "il database \""}) && has({"does not exist", "non esiste"}))
        return QStringLiteral("Sul server della scuola manca la base di dati del servizio %1.")
            .arg(service_);
    return QStringLiteral("Il server della scuola (servizio %1) non risponde: %2")
        .arg(service_, said);
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
