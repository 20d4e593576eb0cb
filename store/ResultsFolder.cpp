#include "ResultsFolder.h"

#include "ResultsFiles.h"
#include "ResultsSchema.h"
#include "SqlConnection.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QThread>

#include <algorithm>
#include <memory>
#include <vector>

#include <sqlite3.h>

namespace {

constexpr int sqliteReadOnly = 8;

// SQLite's own handle of a connection Qt opened.
sqlite3 *handleOf(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

// The texts of a file, each made a QString once however often it comes.
class Texts
{
public:
    QString column(sqlite3_stmt *statement, int column)
    {
        const char *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
        const int size = sqlite3_column_bytes(statement, column);
        const QByteArray key = QByteArray::fromRawData(text ? text : "", size);
        const auto found = known_.constFind(key);
        if (found != known_.cend())
            return found.value();
        const QString made = QString::fromUtf8(key);
        known_.insert(QByteArray(key.constData(), key.size()), made);
        return made;
    }

private:
    QHash<QByteArray, QString> known_;
};

// Nothing has been written in a file that SQLite made but never filled.
bool neverWritten(const QString &path)
{
    return QFileInfo(path).size() == 0 && !QFileInfo::exists(path + QStringLiteral("-wal"));
}

bool removeFrom(const QString &path, const QString &childId)
{
    if (neverWritten(path))
        return true;
    const int inHeader = ResultsSchema::versionInHeader(path);
    if (inHeader < 0 || inHeader > ResultsSchema::version)
        return false;
    SqlConnection connection(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!connection.isOpen())
        return false;
    QSqlError error;
    const int version = connection.value(QStringLiteral("PRAGMA user_version"), &error).toInt();
    if (error.isValid() || version > ResultsSchema::version)
        return false;
    if (version == 0)
        return true;
    // Deleted rows are overwritten with zeros, not only marked free.
    connection.value(QStringLiteral("PRAGMA secure_delete=ON"), &error);
    if (error.isValid())
        return false;
    QSqlQuery query(connection.db());
    int deleted = 0;
    const auto remove = [&](const QString &statement) {
        if (!query.prepare(statement))
            return false;
        query.addBindValue(childId);
        if (!query.exec())
            return false;
        deleted += query.numRowsAffected();
        return true;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    if (!remove(QStringLiteral(
            "DELETE FROM answers WHERE child IN (SELECT id FROM children WHERE uuid = ?)")) ||
        !remove(QStringLiteral("DELETE FROM children WHERE uuid = ?")) ||
        !query.exec(QStringLiteral("COMMIT"))) {
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    // Rewritten without its free pages, so nothing deleted lingers anywhere.
    if (deleted > 0 && !query.exec(QStringLiteral("VACUUM")))
        return false;
    const QString mode =
        connection.value(QStringLiteral("PRAGMA journal_mode"), &error).toString().toLower();
    if (error.isValid())
        return false;
    if (mode != QLatin1String("wal"))
        return true;
    // The log still holds the pages as they were before: copied into the
    // file and cut to nothing, once no reader is in the middle of it.
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (!query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) || !query.next())
            return false;
        if (query.value(0).toInt() == 0)
            return true;
        query.finish();
        QThread::msleep(50);
    }
    return false;
}

} // namespace

namespace ResultsFolder {

bool readFile(const QString &path, QList<KeptAnswer> *answers, QString *problem)
{
    const QString name = QFileInfo(path).fileName();
    if (neverWritten(path))
        return true;
    const int inHeader = ResultsSchema::versionInHeader(path);
    if (inHeader < 0) {
        *problem =
            QStringLiteral("Il file %1 è danneggiato o non è un file di risultati.").arg(name);
        return false;
    }
    auto connection = std::make_unique<SqlConnection>(
        path, QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    QSqlError error;
    int version = connection->value(QStringLiteral("PRAGMA user_version"), &error).toInt();
    if (SqlConnection::primaryCode(error) == sqliteReadOnly) {
        // A writer killed in the middle of a transaction left its journal,
        // which only a connection that may write can play back.
        connection =
            std::make_unique<SqlConnection>(path, QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
        connection->value(QStringLiteral("PRAGMA query_only=ON"), &error);
        if (!error.isValid())
            version = connection->value(QStringLiteral("PRAGMA user_version"), &error).toInt();
    }
    if (!connection->isOpen()) {
        *problem = QStringLiteral("Il file %1 non si può aprire.").arg(name);
        return false;
    }
    if (error.isValid()) {
        *problem =
            QStringLiteral("Il file %1 è danneggiato o non è un file di risultati.").arg(name);
        return false;
    }
    if (version == 0)
        return true;
    sqlite3 *handle = handleOf(connection->db());
    sqlite3_stmt *statement = nullptr;
    // One statement, one read: a writer on this computer is never held up,
    // and one on another computer only for as long as this takes.
    if (!handle ||
        sqlite3_prepare_v2(handle,
                           "SELECT a.answered_at, a.utc_offset, c.uuid, a.computer, a.exercise,"
                           " a.language, a.asked, a.given, a.is_right, a.route, a.seconds"
                           " FROM answers a JOIN children c ON c.id = a.child ORDER BY a.id",
                           -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        *problem =
            version > ResultsSchema::version
                ? QStringLiteral("Il file %1 è di una versione più recente di Tempiolo.").arg(name)
                : QStringLiteral("Il file %1 è danneggiato.").arg(name);
        return false;
    }
    // Read through SQLite itself rather than Qt's rows of variants: a
    // class's year is a quarter of a million answers, made of a few dozen
    // different texts, each made a QString once.
    Texts texts;
    QList<KeptAnswer> read;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        KeptAnswer answer;
        answer.when =
            QDateTime::fromMSecsSinceEpoch(sqlite3_column_int64(statement, 0), Qt::OffsetFromUTC,
                                           sqlite3_column_int(statement, 1));
        answer.child = texts.column(statement, 2);
        answer.computer = texts.column(statement, 3);
        answer.exercise = texts.column(statement, 4);
        answer.language = texts.column(statement, 5);
        answer.asked = texts.column(statement, 6);
        answer.given = texts.column(statement, 7);
        answer.right = sqlite3_column_int(statement, 8) != 0;
        answer.route = texts.column(statement, 9);
        answer.seconds = sqlite3_column_double(statement, 10);
        read.append(std::move(answer));
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE) {
        *problem = QStringLiteral("Il file %1 è danneggiato.").arg(name);
        return false;
    }
    answers->append(std::move(read));
    return true;
}

QList<KeptAnswer> readAll(const QString &folder, QStringList *problems)
{
    QList<KeptAnswer> answers;
    for (const QString &path : ResultsFiles::computerFiles(folder)) {
        QString problem;
        if (!readFile(path, &answers, &problem) && problems)
            problems->append(problem);
    }
    // Each file is in order already; the computers' answers are interleaved.
    // Sorted as times and places, then moved once.
    std::vector<std::pair<qint64, qsizetype>> order;
    order.reserve(std::size_t(answers.size()));
    for (qsizetype i = 0; i < answers.size(); ++i)
        order.emplace_back(answers.at(i).when.toMSecsSinceEpoch(), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<KeptAnswer> sorted;
    sorted.reserve(answers.size());
    for (const auto &[when, i] : order)
        sorted.append(std::move(answers[i]));
    return sorted;
}

bool removeChild(const QString &folder, const QString &childId, QString *error)
{
    QStringList left;
    for (const QString &path :
         ResultsFiles::computerFiles(folder) + ResultsFiles::setAsideFiles(folder)) {
        if (!removeFrom(path, childId))
            left.append(QFileInfo(path).fileName());
    }
    if (left.isEmpty())
        return true;
    *error = QStringLiteral("Le risposte non si sono potute cancellare da: %1. Questi file "
                            "possono ancora contenerne: si possono cancellare a mano.")
                 .arg(left.join(QStringLiteral(", ")));
    return false;
}

} // namespace ResultsFolder
