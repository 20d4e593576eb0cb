#include "SqliteAnswerLog.h"

#include "AnswerWriter.h"
#include "ResultsFiles.h"
#include "ResultsFolder.h"
#include "ServerSender.h"
#include "ServiceFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <deque>

// What the caller's thread and the writing thread share. The writing thread
// holds it too, so that it outlives a log whose thread had to be left behind.
struct SqliteAnswerLog::Shared
{
    QMutex mutex;
    QWaitCondition queued;
    QWaitCondition handled;
    std::deque<KeptAnswer> queue;
    qint64 taken = 0;
    qint64 done = 0;
    qint64 written = 0;
    qint64 lost = 0;
    bool opened = false;
    bool stopping = false;
    QString reason;
    QString path;
    QString journalMode;
    QString setAside;
    std::function<void(qint64)> onWritten;

    void run(const QString &folder, const QString &host, const FileSystem::TypeOf &typeOf);
    void report(const AnswerWriter &writer);
};

void SqliteAnswerLog::Shared::report(const AnswerWriter &writer)
{
    // Once answers were lost the reason stays, so the teacher learns of them.
    if (!writer.reason().isEmpty() || lost == 0)
        reason = writer.reason();
    if (writer.isOpen())
        journalMode = writer.journalMode();
    if (!writer.setAside().isEmpty())
        setAside = writer.setAside();
}

void SqliteAnswerLog::Shared::run(const QString &folder, const QString &host,
                                  const FileSystem::TypeOf &typeOf)
{
    AnswerWriter writer(folder, host, typeOf);
    writer.open();
    // With the school's server, what is written here goes on to it.
    std::unique_ptr<ServerSender> sender;
    if (writer.isOpen() && ServiceFile::defines(ServiceFile::children))
        sender = std::make_unique<ServerSender>(writer.path(), host, ServiceFile::children);
    {
        QMutexLocker lock(&mutex);
        report(writer);
        opened = true;
        handled.wakeAll();
    }
    for (;;) {
        KeptAnswer answer;
        {
            QMutexLocker lock(&mutex);
            while (queue.empty() && !stopping)
                queued.wait(&mutex);
            if (queue.empty())
                break;
            answer = std::move(queue.front());
            queue.pop_front();
        }
        const bool ok = writer.write(answer);
        qint64 count = 0;
        std::function<void(qint64)> callback;
        {
            QMutexLocker lock(&mutex);
            ++done;
            ok ? ++written : ++lost;
            count = written;
            callback = onWritten;
            report(writer);
            handled.wakeAll();
        }
        if (ok && sender)
            sender->wake();
        if (ok && callback)
            callback(count);
    }
}

SqliteAnswerLog::SqliteAnswerLog(const QString &folder, const QString &host,
                                 FileSystem::TypeOf typeOf)
    : shared_(std::make_shared<Shared>())
{
    shared_->path = QDir(folder).filePath(ResultsFiles::fileNameFor(host));
    // The thread owns its SQL connection: Qt SQL's connections belong to one thread.
    thread_ = QThread::create([shared = shared_, folder, host, typeOf = std::move(typeOf)] {
        shared->run(folder, host, typeOf);
    });
    thread_->setObjectName(QStringLiteral("risultati"));
    thread_->start();
}

SqliteAnswerLog::~SqliteAnswerLog()
{
    {
        QMutexLocker lock(&shared_->mutex);
        shared_->stopping = true;
        shared_->queued.wakeAll();
    }
    if (thread_->wait(QDeadlineTimer(quitWait))) {
        delete thread_;
    } else {
        // A disk that hangs (a network folder gone away) must not hang the
        // program's end: the thread is left to the process's exit.
        qWarning("Tempiolo: le ultime risposte non sono state scritte in %s",
                 qPrintable(QDir::toNativeSeparators(shared_->path)));
    }
}

void SqliteAnswerLog::keep(const KeptAnswer &answer)
{
    {
        QMutexLocker lock(&shared_->mutex);
        shared_->queue.push_back(answer);
        if (!shared_->queue.back().when.isValid())
            shared_->queue.back().when = QDateTime::currentDateTime();
        ++shared_->taken;
    }
    shared_->queued.wakeOne();
}

QString SqliteAnswerLog::problem() const
{
    QMutexLocker lock(&shared_->mutex);
    if (shared_->reason.isEmpty() && shared_->lost == 0)
        return {};
    if (shared_->lost == 0)
        return shared_->reason + QStringLiteral(" Le risposte non vengono salvate.");
    return shared_->reason + QStringLiteral(" Risposte non salvate: %1.").arg(shared_->lost);
}

bool SqliteAnswerLog::flush(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&shared_->mutex);
    const qint64 target = shared_->taken;
    while (!shared_->opened || shared_->done < target) {
        if (!shared_->handled.wait(&shared_->mutex, deadline))
            return false;
    }
    return true;
}

QList<AnswerDay> SqliteAnswerLog::daysOf(const QString &child, QDate today) const
{
    return ResultsFolder::daysOf(QFileInfo(path()).absolutePath(), child, today);
}

QString SqliteAnswerLog::path() const
{
    return shared_->path;
}

QString SqliteAnswerLog::journalMode() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->journalMode;
}

QString SqliteAnswerLog::setAside() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->setAside;
}

qint64 SqliteAnswerLog::written() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->written;
}

qint64 SqliteAnswerLog::lost() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->lost;
}

void SqliteAnswerLog::onWritten(std::function<void(qint64 written)> callback)
{
    QMutexLocker lock(&shared_->mutex);
    shared_->onWritten = std::move(callback);
}
