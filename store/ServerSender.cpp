#include "ServerSender.h"

#include "ServerConnection.h"
#include "SqlConnection.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QSqlQuery>
#include <QThread>
#include <QWaitCondition>

#include <algorithm>

namespace {

QJsonValue textOrNull(const QVariant &value)
{
    return value.isNull() ? QJsonValue() : QJsonValue(value.toString());
}

// The server's copy of the rows, typed as its table has them; a child the
// server does not know (removed there) is left out.
const QString insertStatement = QStringLiteral(
    "INSERT INTO answers (uuid, answered_at, utc_offset, child, computer, exercise, language,"
    " items, asked, given, round, is_right, route, seconds, asked_text, given_text)"
    " SELECT r.uuid, r.answered_at, r.utc_offset, c.id, r.computer, r.exercise, r.language,"
    " r.items, r.asked, r.given, r.round, r.is_right, r.route, r.seconds, r.asked_text,"
    " r.given_text"
    " FROM jsonb_to_recordset(CAST(? AS jsonb)) AS r(uuid text,"
    " answered_at bigint, utc_offset integer, child text, computer text, exercise text,"
    " language text, items text, asked integer, given integer, round text, is_right integer,"
    " route text, seconds double precision, asked_text text, given_text text, n bigint)"
    " JOIN children c ON c.uuid = r.child"
    " ORDER BY r.n"
    " ON CONFLICT DO NOTHING");

} // namespace

struct ServerSender::Shared
{
    QMutex mutex;
    QWaitCondition poked;
    QWaitCondition progressed;
    bool woken = true; // what is left from before is sent at once
    bool stopping = false;
    bool idle = false;
    qint64 sent = 0;
    QString problem;

    void run(const QString &path, const QString &computer, const QString &service);
};

namespace {

// One sender's connections and what it has learnt, on its thread.
class Sending
{
public:
    Sending(const QString &path, const QString &computer, const QString &service)
        : path_(path), computer_(computer), server_(service)
    {
    }

    // Sends one batch: the number sent, 0 when nothing was left, -1 on failure.
    int sendBatch(QString *problem);
    // Tells the server how many answers this computer still has to send.
    void tellUnsent();

private:
    bool openLocal(QString *problem);
    bool connect(QString *problem);
    bool learnChildren(QString *problem);
    int failed(const QSqlError &error, QString *problem);

    QString path_;
    QString computer_;
    ServerConnection server_;
    std::unique_ptr<SqlConnection> local_;
    // The answers up to this row were all looked at: answers are only added.
    qint64 after_ = 0;
    QDeadlineTimer childrenLearnt_;
};

bool Sending::openLocal(QString *problem)
{
    if (local_ && local_->isOpen())
        return true;
    // Never made here: an empty file would not be the writer's.
    if (!QFileInfo::exists(path_)) {
        *problem = QStringLiteral("Il file %1 non c'è ancora.").arg(path_);
        return false;
    }
    local_ = std::make_unique<SqlConnection>(path_, QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    QSqlQuery query(local_->db());
    if (!local_->isOpen() ||
        !query.exec(QStringLiteral("CREATE TEMP TABLE server_children (uuid TEXT PRIMARY KEY)"))) {
        *problem = QStringLiteral("Il file %1 non si apre.").arg(path_);
        local_.reset();
        return false;
    }
    return true;
}

bool Sending::connect(QString *problem)
{
    if (server_.isOpen() && !childrenLearnt_.hasExpired())
        return true;
    if (!server_.open()) {
        *problem = server_.reason();
        return false;
    }
    return learnChildren(problem);
}

// The children the server has, which a child added on another PC joins:
// learnt again on every connection and twice a minute.
bool Sending::learnChildren(QString *problem)
{
    QSqlQuery remote(server_.db());
    remote.setForwardOnly(true);
    if (!remote.exec(QStringLiteral("SELECT uuid FROM children"))) {
        failed(remote.lastError(), problem);
        return false;
    }
    QStringList children;
    while (remote.next())
        children << remote.value(0).toString();
    QSqlQuery query(local_->db());
    if (!query.exec(QStringLiteral("BEGIN")) ||
        !query.exec(QStringLiteral("DELETE FROM temp.server_children")) ||
        !query.prepare(QStringLiteral("INSERT OR IGNORE INTO temp.server_children VALUES (?)"))) {
        *problem = query.lastError().text();
        return false;
    }
    for (const QString &child : children) {
        query.addBindValue(child);
        if (!query.exec()) {
            *problem = query.lastError().text();
            QSqlQuery(local_->db()).exec(QStringLiteral("ROLLBACK"));
            return false;
        }
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        *problem = query.lastError().text();
        return false;
    }
    after_ = 0;
    childrenLearnt_ = QDeadlineTimer(30000);
    return true;
}

int Sending::failed(const QSqlError &error, QString *problem)
{
    *problem = QStringLiteral("Il server della scuola non ha preso le risposte: %1")
                   .arg(error.databaseText().trimmed());
    // The next try opens the connection afresh.
    if (ServerConnection::isConnectionLost(error))
        server_.close();
    return -1;
}

int Sending::sendBatch(QString *problem)
{
    if (!openLocal(problem) || !connect(problem))
        return -1;
    QSqlQuery rows(local_->db());
    rows.setForwardOnly(true);
    rows.prepare(QStringLiteral(
        "SELECT a.id, a.uuid, a.answered_at, a.utc_offset, c.uuid, a.computer, a.exercise,"
        " a.language, a.items, a.asked, a.given, a.round, a.is_right, a.route, a.seconds,"
        " a.asked_text, a.given_text"
        " FROM answers a JOIN children c ON c.id = a.child"
        " JOIN temp.server_children k ON k.uuid = c.uuid"
        " WHERE a.id > ? AND NOT EXISTS (SELECT 1 FROM sent s WHERE s.uuid = a.uuid)"
        " ORDER BY a.id LIMIT ?"));
    rows.addBindValue(after_);
    rows.addBindValue(ServerSender::batch);
    if (!rows.exec()) {
        *problem = rows.lastError().text();
        local_.reset();
        return -1;
    }
    QJsonArray batch;
    QStringList ids;
    qint64 last = after_;
    while (rows.next()) {
        last = rows.value(0).toLongLong();
        ids << rows.value(1).toString();
        batch.append(QJsonObject{
            {QStringLiteral("uuid"), rows.value(1).toString()},
            {QStringLiteral("answered_at"), rows.value(2).toLongLong()},
            {QStringLiteral("utc_offset"), rows.value(3).toInt()},
            {QStringLiteral("child"), rows.value(4).toString()},
            {QStringLiteral("computer"), rows.value(5).toString()},
            {QStringLiteral("exercise"), rows.value(6).toString()},
            {QStringLiteral("language"), rows.value(7).toString()},
            {QStringLiteral("items"), rows.value(8).toString()},
            {QStringLiteral("asked"), rows.value(9).toInt()},
            {QStringLiteral("given"), rows.value(10).toInt()},
            {QStringLiteral("round"), textOrNull(rows.value(11))},
            {QStringLiteral("is_right"), rows.value(12).toInt()},
            {QStringLiteral("route"), rows.value(13).toString()},
            {QStringLiteral("seconds"), rows.value(14).toDouble()},
            {QStringLiteral("asked_text"), textOrNull(rows.value(15))},
            {QStringLiteral("given_text"), textOrNull(rows.value(16))},
            {QStringLiteral("n"), batch.size()},
        });
    }
    rows.finish();
    if (batch.isEmpty())
        return 0;
    QSqlQuery insert(server_.db());
    if (!insert.prepare(insertStatement))
        return failed(insert.lastError(), problem);
    insert.addBindValue(QString::fromUtf8(QJsonDocument(batch).toJson(QJsonDocument::Compact)));
    // One statement, so one transaction: all of the batch is there, or none.
    if (!insert.exec())
        return failed(insert.lastError(), problem);
    // Marked only once the server has them; a kill before the mark sends
    // them again, and the server takes none of them twice.
    QSqlQuery mark(local_->db());
    bool marked = mark.exec(QStringLiteral("BEGIN")) &&
                  mark.prepare(QStringLiteral("INSERT OR IGNORE INTO sent VALUES (?)"));
    for (const QString &id : std::as_const(ids)) {
        if (!marked)
            break;
        mark.addBindValue(id);
        marked = mark.exec();
    }
    if (!marked || !QSqlQuery(local_->db()).exec(QStringLiteral("COMMIT"))) {
        *problem = mark.lastError().text();
        QSqlQuery(local_->db()).exec(QStringLiteral("ROLLBACK"));
        local_.reset();
        return -1;
    }
    after_ = last;
    problem->clear();
    return int(ids.size());
}

void Sending::tellUnsent()
{
    if (!local_ || !server_.isOpen())
        return;
    // Both counts come from the tables' pages, without a look at each answer.
    SqlConnection &local = *local_;
    const qint64 unsent = local
                              .value(QStringLiteral("SELECT (SELECT count(*) FROM answers) -"
                                                    " (SELECT count(*) FROM sent)"))
                              .toLongLong();
    QSqlQuery tell(server_.db());
    tell.prepare(QStringLiteral("SELECT tempiolo_unsent(?, ?)"));
    tell.addBindValue(computer_);
    tell.addBindValue(std::max<qint64>(unsent, 0));
    tell.exec();
}

} // namespace

void ServerSender::Shared::run(const QString &path, const QString &computer, const QString &service)
{
    Sending sending(path, computer, service);
    int pause = 0;
    QDeadlineTimer retry(QDeadlineTimer::Forever);
    for (;;) {
        {
            QMutexLocker lock(&mutex);
            // After a failure only the pause's end tries again: answers
            // given meanwhile wait for it, rather than knock each time.
            while (!stopping && !(woken && pause == 0) && !retry.hasExpired()) {
                idle = pause == 0;
                progressed.wakeAll();
                poked.wait(&mutex, retry);
            }
            if (stopping)
                return;
            woken = false;
            idle = false;
        }
        int count = 0;
        QString why;
        int total = 0;
        while ((count = sending.sendBatch(&why)) > 0) {
            total += count;
            QMutexLocker lock(&mutex);
            sent += count;
            problem.clear();
            progressed.wakeAll();
            if (stopping)
                return;
        }
        QMutexLocker lock(&mutex);
        if (count < 0) {
            pause = pause == 0 ? 1000 : std::min(pause * 2, longestPause);
            retry = QDeadlineTimer(pause);
            problem = why;
        } else {
            pause = 0;
            retry = QDeadlineTimer(QDeadlineTimer::Forever);
            problem.clear();
            if (total > 0) {
                lock.unlock();
                sending.tellUnsent();
            }
        }
    }
}

ServerSender::ServerSender(const QString &path, const QString &computer, const QString &service)
    : shared_(std::make_shared<Shared>())
{
    thread_ = QThread::create(
        [shared = shared_, path, computer, service] { shared->run(path, computer, service); });
    thread_->setObjectName(QStringLiteral("invio"));
    thread_->start();
}

ServerSender::~ServerSender()
{
    {
        QMutexLocker lock(&shared_->mutex);
        shared_->stopping = true;
        shared_->poked.wakeAll();
    }
    // A server in the middle of an answer that does not come must not hang
    // the program's end: the thread is then left to the process's exit.
    if (thread_->wait(QDeadlineTimer(3000)))
        delete thread_;
}

void ServerSender::wake()
{
    QMutexLocker lock(&shared_->mutex);
    shared_->woken = true;
    shared_->idle = false;
    shared_->poked.wakeAll();
}

qint64 ServerSender::sent() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->sent;
}

QString ServerSender::problem() const
{
    QMutexLocker lock(&shared_->mutex);
    return shared_->problem;
}

bool ServerSender::waitUntilSent(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&shared_->mutex);
    while (!shared_->idle || shared_->woken) {
        if (!shared_->progressed.wait(&shared_->mutex, deadline))
            return false;
    }
    return true;
}
