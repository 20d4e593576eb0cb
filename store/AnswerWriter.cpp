#include "AnswerWriter.h"

#include "AnswerInsert.h"
#include "OwnerOnly.h"
#include "ResultsFiles.h"
#include "ResultsSchema.h"
#include "SqlConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QSqlQuery>

#include <sqlite3.h>

namespace {

// Children's answers are for their owner's eyes: SQLite gives its journal,
// log and shared memory the permissions of the database file.
void restrictToOwner(const QString &path)
{
    QStringList files{path};
    for (const QString &suffix : ResultsFiles::companionSuffixes())
        files.append(path + suffix);
    for (const QString &file : files)
        OwnerOnly::restrict(file);
}

QString folderReason(const QString &folder)
{
    return QStringLiteral("Non si può scrivere nella cartella dei risultati (%1).")
        .arg(QDir::toNativeSeparators(folder));
}

} // namespace

AnswerWriter::AnswerWriter(const QString &folder, const QString &host, FileSystem::TypeOf typeOf)
    : folder_(folder), host_(host), path_(QDir(folder).filePath(ResultsFiles::fileNameFor(host))),
      typeOf_(std::move(typeOf))
{
}

AnswerWriter::~AnswerWriter()
{
    close();
}

bool AnswerWriter::open()
{
    close();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return refuse(
            QStringLiteral("Manca il driver SQLite di Qt (il pacchetto libqt6sql6-sqlite)."));
    if (!makeFolder()) {
        reason_ = folderReason(folder_);
        return false;
    }
    // A newer build's file is judged by its header, before SQLite opens it
    // for writing and perhaps touches it.
    if (ResultsSchema::versionInHeader(path_) > ResultsSchema::version)
        return refuseNewer();
    if (!connect())
        return false;
    switch (check()) {
    case Check::Sound:
        break;
    case Check::Failed:
        close();
        return false;
    case Check::Damaged:
        close();
        if (!putAside()) {
            reason_ = QStringLiteral("Il file %1 è danneggiato e non si può spostare.")
                          .arg(QFileInfo(path_).fileName());
            return false;
        }
        if (!connect())
            return false;
        if (check() != Check::Sound) {
            close();
            return false;
        }
        break;
    }
    QSqlError error;
    // The log of a file in WAL mode may hold a newer version than its header.
    if (connection_->value(QStringLiteral("PRAGMA user_version"), &error).toInt() >
        ResultsSchema::version) {
        close();
        return refuseNewer();
    }
    if (!configure()) {
        close();
        return false;
    }
    int found = 0;
    if (!ResultsSchema::upgrade(connection_->db(), &found, &error)) {
        if (!error.isValid()) {
            close();
            return refuseNewer();
        }
        // A file of no version of ours (another program's) is left alone.
        if (found < 1) {
            close();
            reason_ = QStringLiteral("Il file %1 non si può preparare per le risposte.")
                          .arg(QFileInfo(path_).fileName());
            return false;
        }
        if (!upgradeFailedOnItsContent(error))
            return false;
        // What an older build kept cannot be brought up to date: set aside
        // like a damaged file, with every answer in it, and a new file begun.
        close();
        if (!putAside()) {
            reason_ = QStringLiteral("Il file %1 non si può aggiornare e non si può spostare.")
                          .arg(QFileInfo(path_).fileName());
            return false;
        }
        // Once: a new file that could not be made either would be set aside again.
        if (retrying_)
            return false;
        const QScopedValueRollback retry(retrying_, true);
        return open();
    }
    insert_ = std::make_unique<AnswerInsert>(connection_->db());
    if (!insert_->prepared()) {
        failedWith(insert_->lastError());
        return false;
    }
    restrictToOwner(path_);
    reason_.clear();
    return true;
}

bool AnswerWriter::write(const KeptAnswer &answer)
{
    if (!isOpen() && (refused_ || !open()))
        return false;
    KeptAnswer kept = answer;
    if (kept.computer.isEmpty())
        kept.computer = host_;
    if (kept.id.isNull())
        kept.id = QUuid::createUuid();
    QSqlDatabase &db = connection_->db();
    if (!db.transaction()) {
        failedWith(db.lastError());
        return false;
    }
    if (!insert_->insert(kept)) {
        const QSqlError error = insert_->lastError();
        db.rollback();
        failedWith(error);
        return false;
    }
    if (!db.commit()) {
        const QSqlError error = db.lastError();
        db.rollback();
        failedWith(error);
        return false;
    }
    return true;
}

bool AnswerWriter::makeFolder()
{
    return OwnerOnly::makeFolder(folder_);
}

bool AnswerWriter::connect()
{
    if (!QFileInfo::exists(path_)) {
        // Made here rather than by SQLite, so that it is never readable by others.
        QFile file(path_);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly::file)) {
            reason_ = folderReason(folder_);
            return false;
        }
    }
    restrictToOwner(path_);
    connection_ =
        std::make_unique<SqlConnection>(path_, QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!connection_->isOpen()) {
        failedWith(connection_->db().lastError());
        return false;
    }
    return true;
}

AnswerWriter::Check AnswerWriter::check()
{
    QSqlError error;
    const QVariant result = connection_->value(QStringLiteral("PRAGMA quick_check"), &error);
    if (error.isValid()) {
        const int code = SqlConnection::primaryCode(error);
        if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB)
            return Check::Damaged;
        failedWith(error);
        return Check::Failed;
    }
    return result.toString() == QLatin1String("ok") ? Check::Sound : Check::Damaged;
}

bool AnswerWriter::putAside()
{
    const QString aside = ResultsFiles::setAsideNameFor(path_, QDate::currentDate());
    if (!QFile::rename(path_, aside))
        return false;
    // A journal or log left beside a new file would be played into it.
    for (const QString &suffix : ResultsFiles::companionSuffixes()) {
        if (QFileInfo::exists(path_ + suffix) && !QFile::rename(path_ + suffix, aside + suffix) &&
            !QFile::remove(path_ + suffix))
            return false;
    }
    setAside_ = aside;
    qWarning("Tempiolo: il file dei risultati era danneggiato, messo da parte come %s",
             qPrintable(QDir::toNativeSeparators(aside)));
    return true;
}

bool AnswerWriter::configure()
{
    const bool network = FileSystem::isNetwork(typeOf_(folder_));
    QSqlError error;
    journalMode_ = connection_
                       ->value(network ? QStringLiteral("PRAGMA journal_mode=DELETE")
                                       : QStringLiteral("PRAGMA journal_mode=WAL"),
                               &error)
                       .toString()
                       .toLower();
    if (error.isValid()) {
        failedWith(error);
        return false;
    }
    // WAL on a network folder can lose answers from the other computers'
    // view of the file, or damage it: better not to write at all.
    if (network && journalMode_ != QLatin1String("delete")) {
        reason_ = QStringLiteral("Il file %1 è in una cartella di rete e non si può "
                                 "scrivere senza rischi.")
                      .arg(QFileInfo(path_).fileName());
        return false;
    }
    // FULL: every commit reaches the disk itself, not only the system's cache.
    connection_->value(QStringLiteral("PRAGMA synchronous=FULL"), &error);
    if (!error.isValid())
        connection_->value(QStringLiteral("PRAGMA secure_delete=ON"), &error);
    if (error.isValid()) {
        failedWith(error);
        return false;
    }
    return true;
}

bool AnswerWriter::upgradeFailedOnItsContent(const QSqlError &error)
{
    switch (SqlConnection::primaryCode(error)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        // The disk or another program stood in the way: the file is as it
        // was, and the next answer tries again.
        failedWith(error);
        return false;
    default:
        return true;
    }
}

bool AnswerWriter::refuseNewer()
{
    return refuse(QStringLiteral("Il file %1 è di una versione più recente di Tempiolo: non "
                                 "viene toccato.")
                      .arg(QFileInfo(path_).fileName()));
}

bool AnswerWriter::refuse(const QString &reason)
{
    refused_ = true;
    reason_ = reason;
    return false;
}

void AnswerWriter::failedWith(const QSqlError &error)
{
    const QString name = QFileInfo(path_).fileName();
    switch (SqlConnection::primaryCode(error)) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
        reason_ = QStringLiteral("Il disco dei risultati è pieno o non si può scrivere.");
        break;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
        reason_ = folderReason(folder_);
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        reason_ = QStringLiteral("Il file %1 è occupato da un altro programma.").arg(name);
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        reason_ = QStringLiteral("Il file %1 si è danneggiato.").arg(name);
        break;
    default:
        reason_ = QStringLiteral("Il file %1 non si può scrivere.").arg(name);
        break;
    }
    close();
}

void AnswerWriter::close()
{
    insert_.reset();
    connection_.reset();
}
