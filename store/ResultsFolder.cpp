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

#include <sqlite3.h>

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

// Every file of the folder that holds answers: each computer's, then those
// set aside as damaged, which are read for what they still hold. A file
// set aside is read from a copy without the answers another file holds
// too, so that none is counted twice.
struct OpenFile
{
    std::unique_ptr<ReadableFile> file;
    bool setAside = false;
    QStringList others; // the files before it, for a set-aside one
};

std::vector<OpenFile> openFiles(const QString &folder)
{
    std::vector<OpenFile> files;
    QStringList before = ResultsFiles::computerFiles(folder);
    for (const QString &path : before)
        files.push_back({std::make_unique<ReadableFile>(path), false, {}});
    for (const QString &path : ResultsFiles::setAsideFiles(folder)) {
        OpenFile open{std::make_unique<ReadableFile>(path, true), true, before};
        if (open.file->isOpen())
            open.file->forget(before);
        files.push_back(std::move(open));
        before.append(path);
    }
    return files;
}

QString problemOf(const ReadableFile &file, const QString &path)
{
    return file.problem().isEmpty()
               ? QStringLiteral("Il file %1 è danneggiato.").arg(QFileInfo(path).fileName())
               : file.problem();
}

// Asks one file; when the question meets a damaged page, asks again what
// could be salvaged of it. What cannot be read, or was read in part, is
// named in `problems`.
bool askFile(OpenFile &open, QStringList *problems, const std::function<bool(AnswerQueries &)> &ask)
{
    ReadableFile &file = *open.file;
    if (file.isEmpty())
        return false;
    int code = 0;
    const auto tried = [&] {
        if (!file.isOpen())
            return false;
        AnswerQueries queries(file.db());
        const bool asked = ask(queries);
        code = SqlConnection::primaryCode(queries.lastError());
        return asked;
    };
    bool read = tried();
    // Only a damaged file is salvaged: not a newer build's, nor a busy one.
    const bool damaged = file.isDamaged() || code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
    if (!read && damaged && file.salvaged() < 0 && file.salvage()) {
        if (open.setAside)
            file.forget(open.others);
        read = tried();
    }
    if ((!read || file.salvaged() >= 0) && problems &&
        !problems->contains(problemOf(file, file.path())))
        problems->append(problemOf(file, file.path()));
    return read;
}

// Asks each file of the folder in turn; a file that cannot be read does
// not stop the others.
void eachFile(const QString &folder, QStringList *problems,
              const std::function<bool(AnswerQueries &)> &ask)
{
    std::vector<OpenFile> files = openFiles(folder);
    for (OpenFile &open : files)
        askFile(open, problems, ask);
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
    std::vector<OpenFile> files = openFiles(folder);
    QMap<std::tuple<QString, int, int>, AnswerDay> last;
    std::vector<ReadableFile *> read;
    for (OpenFile &open : files) {
        const bool asked = askFile(open, problems, [&](AnswerQueries &queries) {
            QList<AnswerDay> misses;
            if (!queries.lastMisses(child, today, &misses))
                return false;
            for (const AnswerDay &miss : misses) {
                AnswerDay &kept = last[{miss.child, int(miss.items), miss.asked}];
                if (!kept.day.isValid() || miss.day > kept.day)
                    kept = miss;
            }
            return true;
        });
        if (asked)
            read.push_back(open.file.get());
    }
    QList<AnswerDay> days(last.cbegin(), last.cend());
    // Child by child, so that each is found by the index of their answers.
    QMap<QString, QList<AnswerDay>> byChild;
    for (const AnswerDay &miss : days)
        byChild[miss.child].append(miss);
    for (ReadableFile *file : read) {
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
    OpenFile open{std::make_unique<ReadableFile>(path), false, {}};
    QStringList problems;
    const bool read = askFile(open, &problems, [&](AnswerQueries &queries) {
        QList<KeptAnswer> one;
        if (!queries.answers(&one))
            return false;
        answers->append(std::move(one));
        return true;
    });
    *problem = problems.join(u' ');
    return read || open.file->isEmpty();
}

QList<KeptAnswer> readAll(const QString &folder, QStringList *problems)
{
    QList<KeptAnswer> answers;
    eachFile(folder, problems, [&](AnswerQueries &queries) {
        QList<KeptAnswer> one;
        if (!queries.answers(&one))
            return false;
        answers += one;
        return true;
    });
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
