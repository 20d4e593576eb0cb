#include "ReadableFile.h"

#include "ResultsSchema.h"
#include "SqlConnection.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace {

// Nothing has been written in a file that SQLite made but never filled.
bool neverWritten(const QString &path)
{
    return QFileInfo(path).size() == 0 && !QFileInfo::exists(path + QStringLiteral("-wal"));
}

QString damaged(const QString &name)
{
    return QStringLiteral("Il file %1 è danneggiato o non è un file di risultati.").arg(name);
}

} // namespace

ReadableFile::ReadableFile(const QString &path) : path_(path), name_(QFileInfo(path).fileName())
{
    if (neverWritten(path_)) {
        empty_ = true;
        return;
    }
    if (ResultsSchema::versionInHeader(path_) < 0) {
        problem_ = damaged(name_);
        return;
    }
    connection_ = std::make_unique<SqlConnection>(
        path_, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    QSqlError error;
    int version = connection_->value(QStringLiteral("PRAGMA user_version"), &error).toInt();
    if (SqlConnection::primaryCode(error) == SQLITE_READONLY) {
        // A writer killed in the middle of a transaction left its journal,
        // which only a connection that may write can play back.
        connection_ =
            std::make_unique<SqlConnection>(path_, QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        connection_->value(QStringLiteral("PRAGMA query_only=ON"), &error);
        if (!error.isValid())
            version = connection_->value(QStringLiteral("PRAGMA user_version"), &error).toInt();
    }
    if (!connection_->isOpen()) {
        problem_ = QStringLiteral("Il file %1 non si può aprire.").arg(name_);
    } else if (error.isValid()) {
        problem_ = damaged(name_);
    } else if (version == 0) {
        empty_ = true;
    } else if (version > ResultsSchema::version) {
        problem_ =
            QStringLiteral("Il file %1 è di una versione più recente di Tempiolo.").arg(name_);
    } else if (version < ResultsSchema::version && !copyAndUpgrade()) {
        problem_ = damaged(name_);
    }
    if (!problem_.isEmpty() || empty_)
        connection_.reset();
}

ReadableFile::~ReadableFile() = default;

bool ReadableFile::isOpen() const
{
    return connection_ != nullptr;
}

QSqlDatabase &ReadableFile::db()
{
    return connection_->db();
}

bool ReadableFile::copyAndUpgrade()
{
    copy_ = std::make_unique<QTemporaryDir>();
    if (!copy_->isValid())
        return false;
    const QString copy = copy_->filePath(QStringLiteral("copia.sqlite"));
    // A consistent copy, taken as one read: a writer waits a moment at most.
    bool copied = false;
    {
        QSqlQuery vacuum(connection_->db());
        copied = vacuum.prepare(QStringLiteral("VACUUM INTO ?"));
        vacuum.addBindValue(copy);
        copied = copied && vacuum.exec();
    }
    connection_.reset();
    if (!copied)
        return false;
    connection_ = std::make_unique<SqlConnection>(copy, QString());
    int found = 0;
    QSqlError error;
    if (connection_->isOpen() && ResultsSchema::upgrade(connection_->db(), &found, &error))
        return true;
    qWarning("Tempiolo: %s non si aggiorna: %s", qPrintable(name_), qPrintable(error.text()));
    return false;
}
