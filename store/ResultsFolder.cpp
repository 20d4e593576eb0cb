#include "ResultsFolder.h"

#include "AnswerQueries.h"
#include "ReadableFile.h"
#include "ResultsFiles.h"
#include "ResultsSchema.h"
#include "SqlConnection.h"

#include <QFileInfo>
#include <QMap>
#include <QSqlQuery>
#include <QThread>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Nothing has been written in a file that SQLite made but never filled.
bool neverWritten(const QString &path)
{
    return QFileInfo(path).size() == 0 && !QFileInfo::exists(path + QStringLiteral("-wal"));
}

// Asks each computer's file of the folder in turn; a file that cannot be
// read, or fails on the way, is named in `problems` and the others go on.
void eachFile(const QString &folder, QStringList *problems,
              const std::function<bool(AnswerQueries &)> &ask)
{
    for (const QString &path : ResultsFiles::computerFiles(folder)) {
        ReadableFile file(path);
        if (file.isEmpty())
            continue;
        bool read = file.isOpen();
        if (read) {
            AnswerQueries queries(file.db());
            read = ask(queries);
        }
        if (!read && problems)
            problems->append(
                file.problem().isEmpty()
                    ? QStringLiteral("Il file %1 è danneggiato.").arg(QFileInfo(path).fileName())
                    : file.problem());
    }
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

AnswerSummary summarise(const QString &folder, const DayRange &range, QStringList *problems)
{
    AnswerSummary summary;
    eachFile(folder, problems, [&](AnswerQueries &queries) {
        AnswerSummary one;
        if (!queries.summary(range, &one))
            return false;
        summary.append(one);
        return true;
    });
    return summary;
}

QList<AnswerDay> daysOf(const QString &folder, const QString &child, QDate today,
                        QStringList *problems)
{
    // Every file opened once for both steps: each item's last miss in any
    // file, then the days right since in every file.
    std::vector<std::unique_ptr<ReadableFile>> files;
    QMap<std::tuple<QString, int, int>, AnswerDay> last;
    for (const QString &path : ResultsFiles::computerFiles(folder)) {
        auto file = std::make_unique<ReadableFile>(path);
        if (file->isEmpty())
            continue;
        QList<AnswerDay> misses;
        if (file->isOpen()) {
            AnswerQueries queries(file->db());
            if (queries.lastMisses(child, today, &misses)) {
                for (const AnswerDay &miss : misses) {
                    AnswerDay &kept = last[{miss.child, int(miss.items), miss.asked}];
                    if (!kept.day.isValid() || miss.day > kept.day)
                        kept = miss;
                }
                files.push_back(std::move(file));
                continue;
            }
        }
        if (problems)
            problems->append(
                file->problem().isEmpty()
                    ? QStringLiteral("Il file %1 è danneggiato.").arg(QFileInfo(path).fileName())
                    : file->problem());
    }
    QList<AnswerDay> days(last.cbegin(), last.cend());
    // Child by child, so that each is found by the index of their answers.
    QMap<QString, QList<AnswerDay>> byChild;
    for (const AnswerDay &miss : days)
        byChild[miss.child].append(miss);
    for (const auto &file : files) {
        AnswerQueries queries(file->db());
        for (const QList<AnswerDay> &misses : byChild)
            queries.rightDaysAfter(misses, today, &days);
    }
    return days;
}

QList<AnswerDay> daysOfAll(const QString &folder, QDate today, QStringList *problems)
{
    return daysOf(folder, QString(), today, problems);
}

bool readFile(const QString &path, QList<KeptAnswer> *answers, QString *problem)
{
    ReadableFile file(path);
    if (file.isEmpty())
        return true;
    QList<KeptAnswer> read;
    if (file.isOpen()) {
        AnswerQueries queries(file.db());
        if (queries.answers(&read)) {
            answers->append(std::move(read));
            return true;
        }
    }
    *problem = file.problem().isEmpty()
                   ? QStringLiteral("Il file %1 è danneggiato.").arg(QFileInfo(path).fileName())
                   : file.problem();
    return false;
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
    std::stable_sort(answers.begin(), answers.end(), [](const KeptAnswer &a, const KeptAnswer &b) {
        return a.when.toMSecsSinceEpoch() < b.when.toMSecsSinceEpoch();
    });
    return answers;
}

qint64 countOf(const QString &folder, const QString &child)
{
    qint64 total = 0;
    eachFile(folder, nullptr, [&](AnswerQueries &queries) {
        qint64 one = 0;
        if (!queries.count(child, &one))
            return false;
        total += one;
        return true;
    });
    return total;
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
