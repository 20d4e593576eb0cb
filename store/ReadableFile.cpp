#include "ReadableFile.h"

#include "PageSalvage.h"
#include "ResultsSchema.h"
#include "SqlConnection.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

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

// A value of a salvaged row as the column it goes into takes it.
QVariant bound(const QVariant &value)
{
    return value.isNull() ? QVariant(QMetaType(QMetaType::QString)) : value;
}

} // namespace

ReadableFile::ReadableFile(const QString &path, bool copy)
    : path_(path), name_(QFileInfo(path).fileName()), readPath_(path)
{
    if (neverWritten(path_)) {
        empty_ = true;
        return;
    }
    if (ResultsSchema::versionInHeader(path_) < 0) {
        salvage();
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
        const int code = SqlConnection::primaryCode(error);
        if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB) {
            salvage();
            return;
        }
        problem_ = damaged(name_);
    } else if (version == 0) {
        empty_ = true;
    } else if (version > ResultsSchema::version) {
        problem_ =
            QStringLiteral("Il file %1 è di una versione più recente di Tempiolo.").arg(name_);
    } else if ((version < ResultsSchema::version || copy) && !copyAndUpgrade()) {
        salvage();
        return;
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

bool ReadableFile::openCopy(const QString &copy)
{
    connection_ = std::make_unique<SqlConnection>(copy, QString());
    readPath_ = copy;
    return connection_->isOpen();
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
    if (!copied || !openCopy(copy))
        return false;
    int found = 0;
    QSqlError error;
    if (ResultsSchema::upgrade(connection_->db(), &found, &error))
        return true;
    qWarning("Tempiolo: %s non si aggiorna: %s", qPrintable(name_), qPrintable(error.text()));
    return false;
}

bool ReadableFile::salvage()
{
    damaged_ = true;
    connection_.reset();
    empty_ = false;
    QFile file(path_);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // The rows of the newest table shape the file holds, with its children.
    int version = 0;
    QList<PageSalvage::Record> answers;
    for (int v = int(std::size(ResultsSchema::answerFields)); v >= 1 && answers.isEmpty(); --v) {
        answers = PageSalvage::records(bytes, ResultsSchema::answerFields[v - 1]);
        version = v;
    }
    const QList<PageSalvage::Record> children =
        PageSalvage::records(bytes, ResultsSchema::childFields);
    copy_ = std::make_unique<QTemporaryDir>();
    int found = 0;
    QSqlError error;
    salvaged_ = 0;
    if (copy_->isValid() && openCopy(copy_->filePath(QStringLiteral("recuperato.sqlite"))) &&
        ResultsSchema::upgrade(connection_->db(), &found, &error, version)) {
        QSqlDatabase &db = connection_->db();
        db.transaction();
        QSqlQuery child(db);
        child.prepare(QStringLiteral("INSERT OR IGNORE INTO children (id, uuid) VALUES (?, ?)"));
        for (const PageSalvage::Record &row : children) {
            // A child's row: its id, and the text of the id in the class list.
            if (row.values.at(1).typeId() != QMetaType::QString ||
                row.values.at(1).toString().isEmpty())
                continue;
            child.addBindValue(row.rowid);
            child.addBindValue(row.values.at(1));
            child.exec();
        }
        const int fields = ResultsSchema::answerFields[version - 1];
        QStringList marks(fields, QStringLiteral("?"));
        QSqlQuery answer(db);
        // Only answers whose child is known: the others are no one's.
        answer.prepare(QStringLiteral("INSERT OR IGNORE INTO answers SELECT %1 WHERE EXISTS"
                                      " (SELECT 1 FROM children WHERE id = ?)")
                           .arg(marks.join(u',')));
        const int childColumn = version == 1 ? 3 : 4;
        for (const PageSalvage::Record &row : answers) {
            answer.addBindValue(row.rowid);
            for (int i = 1; i < fields; ++i)
                answer.addBindValue(bound(row.values.at(i)));
            answer.addBindValue(row.values.at(childColumn));
            if (answer.exec() && answer.numRowsAffected() == 1)
                ++salvaged_;
        }
        db.commit();
        if (ResultsSchema::upgrade(db, &found, &error)) {
            problem_ = QStringLiteral("Il file %1 è danneggiato: se ne sono lette %2 risposte.")
                           .arg(name_)
                           .arg(salvaged_);
            return true;
        }
    }
    connection_.reset();
    problem_ = damaged(name_);
    return false;
}

bool ReadableFile::forget(const QStringList &paths)
{
    if (!connection_ || !copy_)
        return false;
    QSqlQuery query(connection_->db());
    for (const QString &path : paths) {
        // Read-only, as every other file of the folder.
        const QString uri = QUrl::fromLocalFile(path).toString() + QStringLiteral("?mode=ro");
        query.prepare(QStringLiteral("ATTACH DATABASE ? AS other"));
        query.addBindValue(uri);
        if (!query.exec())
            continue;
        query.exec(QStringLiteral("DELETE FROM answers WHERE uuid IN (SELECT uuid FROM"
                                  " other.answers)"));
        query.exec(QStringLiteral("DETACH DATABASE other"));
    }
    return true;
}
