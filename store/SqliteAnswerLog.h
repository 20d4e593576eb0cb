#pragma once

#include "AnswerLog.h"
#include "FileSystem.h"

#include <QString>

#include <functional>
#include <memory>

class QThread;

// Keeps answers in this computer's SQLite file in the results folder. keep()
// only queues the answer; a thread of its own commits each one in its own
// transaction, so the child never waits for the disk, yet an answer is in
// the system's hands (safe from the program being killed) well under a
// millisecond after it is taken up, and on the disk itself (safe from a
// power cut) a few milliseconds later. Nothing here ever stops the program:
// a folder that cannot be written, a full disk or a file of a newer build
// only make problem() say so.
class SqliteAnswerLog : public AnswerLog
{
public:
    // `folder`: the user's data folder; `host`: this computer's name.
    SqliteAnswerLog(const QString &folder, const QString &host,
                    FileSystem::TypeOf typeOf = FileSystem::typeOf);
    // Writes what is still queued first; gives up after `quitWait` ms of a
    // disk that does not answer, rather than hang the program's end.
    ~SqliteAnswerLog() override;
    SqliteAnswerLog(const SqliteAnswerLog &) = delete;
    SqliteAnswerLog &operator=(const SqliteAnswerLog &) = delete;

    void keep(const KeptAnswer &answer) override;
    QString problem() const override;
    QList<AnswerDay> daysOf(const QString &child, QDate today) const override;

    // Waits until the file has been opened and every answer kept so far is
    // written or given up; false when `timeoutMs` passed first.
    bool flush(int timeoutMs = 30000);

    QString path() const;
    // After the file has been opened: "wal", "delete", or "" if it could not be.
    QString journalMode() const;
    // The damaged file this log set aside when it opened, or "".
    QString setAside() const;
    qint64 written() const;
    qint64 lost() const;
    // Called on the writing thread after each answer is committed, with the
    // number written so far. Set it before the first keep().
    void onWritten(std::function<void(qint64 written)> callback);

    static constexpr int quitWait = 5000;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    QThread *thread_ = nullptr;
};
