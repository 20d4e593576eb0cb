#pragma once

#include "FileSystem.h"
#include "KeptAnswer.h"

#include <QSqlError>
#include <QString>

#include <memory>

class AnswerInsert;
class SqlConnection;

// Writes answers into this computer's results file, one transaction each,
// on the thread it was made on. Opening checks the file first: a damaged
// file is set aside under a dated name and a new one started, a file of a
// newer build is left untouched, and the journal suits the file system (the
// write-ahead log locally, the rollback journal on a network folder, where
// the log's shared memory cannot work).
class AnswerWriter
{
public:
    AnswerWriter(const QString &folder, const QString &host, FileSystem::TypeOf typeOf);
    ~AnswerWriter();
    AnswerWriter(const AnswerWriter &) = delete;
    AnswerWriter &operator=(const AnswerWriter &) = delete;

    // true when answers can be written; otherwise reason() says why.
    bool open();
    // Commits one answer in a transaction of its own, opening the file first
    // when it is not open. After a failure the file is closed, so that the
    // next answer opens and checks it again.
    bool write(const KeptAnswer &answer);

    bool isOpen() const { return insert_ != nullptr; }
    // Opening again would not help: a newer file, or no SQLite driver.
    bool refused() const { return refused_; }
    // An Italian sentence for the teacher, "" while all is well.
    QString reason() const { return reason_; }
    QString path() const { return path_; }
    // As SQLite reported it after it was set: "wal" or "delete".
    QString journalMode() const { return journalMode_; }
    // Where the damaged file was moved to, if this writer moved one.
    QString setAside() const { return setAside_; }

private:
    enum class Check { Sound, Damaged, Failed };

    bool makeFolder();
    bool connect();
    Check check();
    bool putAside();
    bool configure();
    bool refuse(const QString &reason);
    bool refuseNewer();
    // Whether an upgrade that failed did so on what the file holds, rather
    // than on the disk or a lock; otherwise the reason is set.
    bool upgradeFailedOnItsContent(const QSqlError &error);
    void failedWith(const QSqlError &error);
    void close();

    QString folder_;
    QString host_;
    QString path_;
    FileSystem::TypeOf typeOf_;
    std::unique_ptr<SqlConnection> connection_;
    std::unique_ptr<AnswerInsert> insert_;
    QString reason_;
    QString journalMode_;
    QString setAside_;
    bool refused_ = false;
    bool retrying_ = false;
};
