#include "ResultsFiles.h"
#include "ResultsFolder.h"
#include "ResultsLibrary.h"
#include "ResultsTesting.h"
#include "SchoolServer.h"
#include "ServerClass.h"
#include "ServerConnection.h"
#include "ServerSchema.h"
#include "ServerSender.h"
#include "ServiceFile.h"
#include "SqlConnection.h"
#include "SqliteAnswerLog.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>

using namespace ResultsTesting;

// The school's server, a real PostgreSQL of the test's own: prepared by the
// teacher's program, written by the children's PCs through their role only,
// and never short of an answer nor given one twice, whatever is killed.
class TestSchoolServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void prepareServer_data();
    void prepareServer();
    void rights_data();
    void rights();
    void eachAnswerWithinASecond();
    void serverDownMeanwhile();
    void killedWhileSending();
    void catchingUp();
    void childTheServerDoesNotKnow();
    void exportFromTheServer();
    void publishKeepsTheClassEqual_data();
    void publishKeepsTheClassEqual();
    void theServerCountsAsTheFiles();
    void aPcReadsTheClassThroughTheModule();
    void saidInItalian_data();
    void saidInItalian();

private:
    // The server's answers of a child, as La classe's role reads them.
    qint64 onServer(const QString &child);
    bool waitOnServer(const QString &child, qint64 count, int timeoutMs = 60000);
    void addChild(const QString &child);

    std::unique_ptr<SchoolServer> server_;
    std::unique_ptr<ServerConnection> teacher_;
};

namespace {

int runTeacher(const QStringList &arguments, const QProcessEnvironment &environment,
               QString *output)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(TEMPIOLO_TEACHER_PROGRAM), arguments);
    if (!process.waitForFinished(60000))
        return -1;
    *output = QString::fromUtf8(process.readAll());
    return process.exitCode();
}

} // namespace

void TestSchoolServer::initTestCase()
{
    if (!SchoolServer::missing().isEmpty())
        QSKIP(qPrintable(SchoolServer::missing()));
    server_ = std::make_unique<SchoolServer>();
    QVERIFY2(server_->start(), qPrintable(server_->problem()));
}

qint64 TestSchoolServer::onServer(const QString &child)
{
    if (!teacher_)
        teacher_ = std::make_unique<ServerConnection>(ServiceFile::teacher);
    if (!teacher_->open())
        return -1;
    QSqlQuery query(teacher_->db());
    query.prepare(QStringLiteral("SELECT count(*) FROM answers a JOIN children c"
                                 " ON c.id = a.child WHERE c.uuid = ?"));
    query.addBindValue(child);
    if (!query.exec() || !query.next()) {
        teacher_->close();
        return -1;
    }
    return query.value(0).toLongLong();
}

bool TestSchoolServer::waitOnServer(const QString &child, qint64 count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (onServer(child) != count) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

void TestSchoolServer::addChild(const QString &child)
{
    // Prepared, when this test runs alone.
    if (server_->psql(QStringLiteral("SELECT to_regclass('tempiolo_schema') IS NULL")) == "t") {
        ServerConnection owner(ServiceFile::owner);
        QVERIFY2(owner.open(false), qPrintable(owner.reason()));
        int found = 0;
        QSqlError error;
        QCOMPARE(ServerSchema::prepare(owner.db(), &found, &error), ServerSchema::Outcome::Made);
    }
    QCOMPARE(server_->psql(QStringLiteral("INSERT INTO classes (name) VALUES ('3B')"
                                          " ON CONFLICT DO NOTHING;"
                                          " INSERT INTO children (uuid, class_id, name)"
                                          " SELECT '%1', id, 'Marco' FROM classes"
                                          " WHERE name = '3B' ON CONFLICT (uuid) DO NOTHING;"
                                          " SELECT 'ok'")
                               .arg(child)),
             QStringLiteral("ok"));
    QCOMPARE(server_->problem(), QString());
}

void TestSchoolServer::prepareServer_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("withService");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QString>("version");
    // In this order, on the one server.
    QTest::newRow("no owner's service") << "" << false << 1 << "manca il servizio tempiolo-admin"
                                        << "";
    QTest::newRow("an empty database") << "" << true << 0 << "Il server è pronto"
                                       << "1";
    QTest::newRow("a right taken away is given back")
        << "REVOKE INSERT ON answers FROM tempiolo_pc" << true << 0 << "era già pronto"
        << "1";
    QTest::newRow("a newer build's server")
        << "UPDATE tempiolo_schema SET version = 99" << true << 1 << "non è stato toccato"
        << "99";
}

void TestSchoolServer::prepareServer()
{
    QFETCH(QString, before);
    QFETCH(bool, withService);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QFETCH(QString, version);
    if (!before.isEmpty())
        QVERIFY(!server_->psql(before + QStringLiteral("; SELECT 1")).isNull());
    QProcessEnvironment environment = server_->environment();
    QTemporaryDir empty;
    if (!withService)
        environment.insert(QStringLiteral("PGSERVICEFILE"), empty.filePath(QStringLiteral("no")));
    QString output;
    QCOMPARE(runTeacher({QStringLiteral("--prepara-server")}, environment, &output), exitCode);
    QVERIFY2(output.contains(says), qPrintable(output));
    if (!version.isEmpty())
        QCOMPARE(server_->psql(QStringLiteral("SELECT version FROM tempiolo_schema")), version);
    if (version == QLatin1String("99")) {
        // Left as it was: no right came back, no table changed.
        QCOMPARE(server_->psql(QStringLiteral("SELECT count(*) FROM tempiolo_schema")), "1");
        QVERIFY(!server_
                     ->psql(QStringLiteral("UPDATE tempiolo_schema SET version = 1;"
                                           " SELECT 1"))
                     .isNull());
    }
    // The PCs' right to add answers is there after every run that succeeded.
    if (exitCode == 0)
        QCOMPARE(server_->psql(QStringLiteral(
                     "SELECT has_table_privilege('tempiolo_pc', 'answers', 'INSERT')")),
                 "t");
}

void TestSchoolServer::rights_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("state"); // "" when allowed
    const QString pc = ServiceFile::children;
    const QString teacher = ServiceFile::teacher;
    const QString refused = QStringLiteral("42501");
    const QString add = QStringLiteral(
        "INSERT INTO answers (uuid, answered_at, utc_offset, child, computer, exercise, language,"
        " items, asked, given, is_right, route, seconds) SELECT gen_random_uuid()::text, 0, 0,"
        " id, 'pc', 'riordina-mesi-1', 'it', 'mesi', 7, 7, 1, 'tocco', 1 FROM children"
        " WHERE uuid = 'diritti'");
    QTest::newRow("a PC reads the class list") << pc << "SELECT name, picture FROM children"
                                               << "";
    QTest::newRow("a PC adds an answer") << pc << add << "";
    QTest::newRow("a PC reads the answers") << pc << "SELECT * FROM answers" << refused;
    QTest::newRow("a PC changes an answer") << pc << "UPDATE answers SET is_right = 1" << refused;
    QTest::newRow("a PC deletes the answers") << pc << "DELETE FROM answers" << refused;
    QTest::newRow("a PC renames a child") << pc << "UPDATE children SET name = 'X'" << refused;
    QTest::newRow("a PC reads what others still have to send")
        << pc << "SELECT * FROM computers" << refused;
    QTest::newRow("a PC says what it still has to send") << pc << "SELECT tempiolo_unsent('pc', 3)"
                                                         << "";
    QTest::newRow("La classe reads the answers") << teacher << "SELECT * FROM answers"
                                                 << "";
    QTest::newRow("La classe makes a class")
        << teacher << "INSERT INTO classes (name) VALUES ('4A') ON CONFLICT DO NOTHING"
        << "";
    QTest::newRow("La classe cannot make up an answer") << teacher << add << refused;
    QTest::newRow("La classe cannot change an answer")
        << teacher << "UPDATE answers SET is_right = 0" << refused;
    QTest::newRow("nobody changes the tables")
        << teacher << "ALTER TABLE answers ADD COLUMN x integer"
        << "42501";
}

void TestSchoolServer::rights()
{
    QFETCH(QString, service);
    QFETCH(QString, statement);
    QFETCH(QString, state);
    addChild(QStringLiteral("diritti"));
    ServerConnection connection(service);
    QVERIFY2(connection.open(), qPrintable(connection.reason()));
    QSqlQuery query(connection.db());
    const bool done = query.exec(statement);
    QCOMPARE(done ? QString() : ServerConnection::state(query.lastError()), state);
}

void TestSchoolServer::eachAnswerWithinASecond()
{
    const QString child = QStringLiteral("in-tempo");
    addChild(child);
    QTemporaryDir folder;
    SqliteAnswerLog log(folder.path(), QStringLiteral("pc-1"));
    QList<qint64> delays;
    QElapsedTimer timer;
    for (int i = 0; i < 40; ++i) {
        timer.start();
        log.keep(answer(child, 1 + i % 12));
        QVERIFY(waitOnServer(child, i + 1, 10000));
        delays << timer.elapsed();
    }
    std::sort(delays.begin(), delays.end());
    const qint64 p95 = delays.at(delays.size() * 95 / 100 - 1);
    qInfo("From an answer to the server: median %lld ms, 95th percentile %lld ms, longest %lld ms",
          delays.at(delays.size() / 2), p95, delays.last());
    QVERIFY2(p95 < 1000, qPrintable(QString::number(p95)));
}

void TestSchoolServer::serverDownMeanwhile()
{
    const QString child = QStringLiteral("server-spento");
    addChild(child);
    QTemporaryDir folder;
    SqliteAnswerLog log(folder.path(), QStringLiteral("pc-2"));
    for (int i = 0; i < 10; ++i)
        log.keep(answer(child, i % 12 + 1));
    QVERIFY(waitOnServer(child, 10));
    teacher_.reset();
    QVERIFY2(server_->crash(), qPrintable(server_->problem()));
    // Play goes on: every answer is kept here, at once.
    for (int i = 0; i < 15; ++i)
        log.keep(answer(child, i % 12 + 1));
    QVERIFY(log.flush());
    QCOMPARE(log.written(), 25);
    QCOMPARE(log.problem(), QString());
    QVERIFY2(server_->restart(), qPrintable(server_->problem()));
    QVERIFY(waitOnServer(child, 25));
}

void TestSchoolServer::killedWhileSending()
{
    // Two PCs, each a data folder of its own, answering at once as the
    // keeper's child.
    const QString child = QStringLiteral("bimbo-1");
    addChild(child);
    QTemporaryDir folders[2];
    QProcess keepers[2];
    for (int pc = 0; pc < 2; ++pc) {
        keepers[pc].setProcessEnvironment(server_->environment());
        keepers[pc].start(QStringLiteral(TEMPIOLO_ANSWER_LOG_KEEPER),
                          {folders[pc].path(), QStringLiteral("stream")});
        QVERIFY(keepers[pc].waitForStarted());
    }
    QByteArray last[2];
    const auto writtenPast = [&](int pc, qint64 count) {
        QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired()) {
            for (QProcess &other : keepers)
                other.readAll(); // neither keeper stops for a full pipe
            if (!keepers[pc].canReadLine() && !keepers[pc].waitForReadyRead(1000))
                continue;
            while (keepers[pc].canReadLine())
                last[pc] = keepers[pc].readLine().trimmed();
            if (last[pc].startsWith("written ") && last[pc].mid(8).toLongLong() >= count)
                return true;
        }
        return false;
    };
    // The server killed while answers stream in, then one program killed
    // in the middle of its sending, the other one ended.
    QVERIFY(writtenPast(0, 300));
    teacher_.reset();
    QVERIFY2(server_->crash(), qPrintable(server_->problem()));
    QVERIFY(writtenPast(1, 600));
    QVERIFY2(server_->restart(), qPrintable(server_->problem()));
    QVERIFY(writtenPast(0, 900) && writtenPast(1, 900));
    ::kill(pid_t(keepers[0].processId()), SIGKILL);
    ::kill(pid_t(keepers[1].processId()), SIGTERM);
    qint64 kept = 0;
    for (int pc = 0; pc < 2; ++pc) {
        QVERIFY(keepers[pc].waitForFinished());
        const QString path =
            folders[pc].filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-ucciso")));
        SqlConnection file(path, QString());
        const qint64 here = file.value(QStringLiteral("SELECT count(*) FROM answers")).toLongLong();
        QVERIFY(here >= 900);
        kept += here;
    }
    // Their next starts send the rest: every answer of both, each once.
    for (int pc = 0; pc < 2; ++pc) {
        ServerSender sender(folders[pc].filePath(ResultsFiles::fileNameFor("pc-ucciso")),
                            QStringLiteral("pc-ucciso"), ServiceFile::children);
        QVERIFY2(sender.waitUntilSent(60000), qPrintable(sender.problem()));
    }
    QCOMPARE(onServer(child), kept);
}

void TestSchoolServer::catchingUp()
{
    const QString child = QStringLiteral("in-coda");
    addChild(child);
    QTemporaryDir folder;
    QList<KeptAnswer> answers;
    const QDateTime start = QDateTime::currentDateTime().addDays(-30);
    for (int i = 0; i < 10000; ++i)
        answers << answer(child, i % 12 + 1, start.addSecs(i * 5));
    // Kept while the server was away: none of them sent yet.
    fill(folder.path(), QStringLiteral("pc-3"), answers);
    QElapsedTimer timer;
    timer.start();
    ServerSender sender(folder.filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-3"))),
                        QStringLiteral("pc-3"), ServiceFile::children);
    QVERIFY2(sender.waitUntilSent(60000), qPrintable(sender.problem()));
    const qint64 elapsed = timer.elapsed();
    qInfo("10000 queued answers on the server in %lld ms", elapsed);
    QCOMPARE(onServer(child), 10000);
    QCOMPARE(sender.sent(), 10000);
    QVERIFY2(elapsed < 10000, qPrintable(QString::number(elapsed)));
    // Killed after the server took them but before they were marked here:
    // all of them go again, and the server still counts each once.
    {
        SqlConnection file(folder.filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-3"))),
                           QString());
        QVERIFY(file.value(QStringLiteral("DELETE FROM sent")).isValid());
    }
    ServerSender again(folder.filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-3"))),
                       QStringLiteral("pc-3"), ServiceFile::children);
    QVERIFY2(again.waitUntilSent(60000), qPrintable(again.problem()));
    QCOMPARE(onServer(child), 10000);
}

void TestSchoolServer::childTheServerDoesNotKnow()
{
    const QString known = QStringLiteral("conosciuto");
    const QString unknown = QStringLiteral("sconosciuto");
    addChild(known);
    QTemporaryDir folder;
    QList<KeptAnswer> answers;
    for (int i = 0; i < 8; ++i)
        answers << answer(i % 3 == 0 ? unknown : known, i + 1);
    fill(folder.path(), QStringLiteral("pc-4"), answers);
    const QString path = folder.filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-4")));
    {
        ServerSender sender(path, QStringLiteral("pc-4"), ServiceFile::children);
        QVERIFY(sender.waitUntilSent(30000));
        QCOMPARE(sender.sent(), 5);
    }
    QCOMPARE(onServer(known), 5);
    // Still to send, and the teacher can read that.
    QCOMPARE(server_->psql(QStringLiteral("SELECT unsent FROM computers WHERE name = 'pc-4'")),
             "3");
    // Once the child is on the server, the next start sends theirs.
    addChild(unknown);
    ServerSender again(path, QStringLiteral("pc-4"), ServiceFile::children);
    QVERIFY(again.waitUntilSent(30000));
    QCOMPARE(again.sent(), 3);
    QCOMPARE(onServer(unknown), 3);
}

void TestSchoolServer::exportFromTheServer()
{
    const QString total = server_->psql(QStringLiteral("SELECT count(*) FROM answers"));
    QVERIFY(total.toInt() > 0);
    QTemporaryDir folder;
    const QString csv = folder.filePath(QStringLiteral("classe.csv"));
    QString output;
    QCOMPARE(
        runTeacher({QStringLiteral("--esporta-risultati"), csv}, server_->environment(), &output),
        0);
    const QList<QByteArray> lines = readAll(csv).split('\n');
    // A header, a line an answer, and the end of the last line.
    QCOMPARE(lines.size(), total.toInt() + 2);
    QVERIFY(lines.at(1).contains("Marco"));
}

void TestSchoolServer::publishKeepsTheClassEqual_data()
{
    QTest::addColumn<QList<ServerChild>>("children");
    const ServerChild anna{"c-anna", "Anna", "gatto", QByteArray("RIFF anna")};
    const ServerChild marco{"c-marco", "Marco", "mela", QByteArray()};
    const ServerChild luca{"c-luca", "Luca", "sole", QByteArray("RIFF luca")};
    // In this order, on the one class.
    QTest::newRow("three children") << QList<ServerChild>{anna, marco, luca};
    QTest::newRow("published again, unchanged") << QList<ServerChild>{anna, marco, luca};
    QTest::newRow("a name corrected, a picture changed, a spoken name made")
        << QList<ServerChild>{{"c-anna", "Anna Maria", "gatto", QByteArray("RIFF anna")},
                              {"c-marco", "Marco", "luna", QByteArray("RIFF marco")},
                              luca};
    QTest::newRow("one taken away, one added")
        << QList<ServerChild>{anna, {"c-sara", "Sara", "stella", QByteArray()}, luca};
    QTest::newRow("the class emptied") << QList<ServerChild>{};
}

void TestSchoolServer::publishKeepsTheClassEqual()
{
    QFETCH(QList<ServerChild>, children);
    addChild(QStringLiteral("diritti")); // prepared, with another class's child
    // Marco has answers on the server: taken away, they go with him.
    ServerConnection teacher(ServiceFile::teacher);
    QVERIFY2(teacher.open(), qPrintable(teacher.reason()));
    QString error;
    QVERIFY2(ServerClass::publish(teacher.db(), QStringLiteral("2A"), children, &error),
             qPrintable(error));
    QVERIFY(!server_
                 ->psql(QStringLiteral(
                     "INSERT INTO answers (uuid, answered_at, utc_offset, child, computer,"
                     " exercise, language, items, asked, given, is_right, route, seconds)"
                     " SELECT gen_random_uuid()::text, 0, 0, id, 'pc', 'ciclo-mesi', 'it',"
                     " 'mesi', 1, 2, 0, 'tocco', 1 FROM children WHERE uuid = 'c-marco';"
                     " SELECT 1"))
                 .isNull());
    // As a PC reads them, in the order they were added.
    ServerConnection pc(ServiceFile::children);
    QVERIFY2(pc.open(), qPrintable(pc.reason()));
    QList<ServerChild> there;
    QVERIFY2(ServerClass::children(pc.db(), QStringLiteral("2A"), &there, &error),
             qPrintable(error));
    QList<ServerChild> sorted = there;
    const auto byId = [](const ServerChild &a, const ServerChild &b) { return a.id < b.id; };
    std::sort(sorted.begin(), sorted.end(), byId);
    std::sort(children.begin(), children.end(), byId);
    QCOMPARE(sorted, children);
    const bool marcoThere = std::any_of(children.cbegin(), children.cend(),
                                        [](const ServerChild &c) { return c.id == "c-marco"; });
    QCOMPARE(onServer(QStringLiteral("c-marco")) > 0, marcoThere);
    // Another class is never touched.
    QCOMPARE(server_->psql(QStringLiteral("SELECT count(*) FROM children WHERE uuid = 'diritti'")),
             "1");
    QStringList classes;
    QVERIFY(ServerClass::classes(teacher.db(), &classes, &error));
    QVERIFY(classes.contains("2A") && classes.contains("3B"));
}

void TestSchoolServer::theServerCountsAsTheFiles()
{
    // A class of three with a month of answers, right and wrong, in every
    // kind of item; and a child of another class with answers of their own.
    const QStringList ids{"conta-1", "conta-2", "conta-3"};
    QList<ServerChild> children;
    for (const QString &id : ids)
        children.append({id, id, QString(), QByteArray()});
    addChild(QStringLiteral("altra-classe"));
    ServerConnection teacher(ServiceFile::teacher);
    QVERIFY2(teacher.open(), qPrintable(teacher.reason()));
    QString error;
    QVERIFY2(ServerClass::publish(teacher.db(), QStringLiteral("5C"), children, &error),
             qPrintable(error));
    const QDate today = QDate::currentDate();
    QList<KeptAnswer> answers;
    QRandomGenerator random(20261211);
    for (int day = 30; day >= 0; --day) {
        for (int i = 0; i < 24; ++i) {
            KeptAnswer kept = answer(ids.at(random.bounded(3)), random.bounded(1, 13),
                                     QDateTime(today.addDays(-day), QTime(9, 0)).addSecs(i * 40));
            const int kind = random.bounded(3);
            kept.items = kind == 0 ? Items::Months : kind == 1 ? Items::Days : Items::Dates;
            kept.exercise = kind == 0   ? QStringLiteral("riordina-mesi-1")
                            : kind == 1 ? QStringLiteral("ciclo-giorni")
                                        : QStringLiteral("calendario");
            if (kept.items == Items::Days) {
                kept.asked = random.bounded(1, 8);
                kept.given = random.bounded(1, 8);
            } else if (kept.items == Items::Dates) {
                kept.asked = dateNumber(today.addDays(-random.bounded(60)));
                kept.given = random.bounded(2) ? kept.asked : dateNumber(today.addDays(-day));
            }
            kept.right = kept.asked == kept.given;
            answers << kept;
        }
    }
    for (int i = 0; i < 20; ++i)
        answers << answer(QStringLiteral("altra-classe"), i % 12 + 1);
    QTemporaryDir folder;
    fill(folder.path(), QStringLiteral("pc-5"), answers);
    {
        ServerSender sender(folder.filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-5"))),
                            QStringLiteral("pc-5"), ServiceFile::children);
        QVERIFY2(sender.waitUntilSent(30000), qPrintable(sender.problem()));
    }
    // The same counts as the file's, without the other class's child.
    const DayRange range{today.addDays(-7), today};
    AnswerSummary fromServer;
    QVERIFY2(ServerClass::summarise(teacher.db(), QStringLiteral("5C"), range, &fromServer, &error),
             qPrintable(error));
    AnswerSummary fromFile = ResultsFolder::summarise(folder.path(), range);
    fromFile.lastPlayed.remove(QStringLiteral("altra-classe"));
    const auto other = [](const auto &row) { return row.child == QLatin1String("altra-classe"); };
    fromFile.tallies.removeIf(other);
    fromFile.pairs.removeIf(other);
    fromFile.dateMisses.removeIf(other);
    for (AnswerSummary *summary : {&fromServer, &fromFile}) {
        std::sort(summary->tallies.begin(), summary->tallies.end(), [](auto &a, auto &b) {
            return std::tie(a.child, a.exercise, a.day) < std::tie(b.child, b.exercise, b.day);
        });
        std::sort(summary->pairs.begin(), summary->pairs.end(), [](auto &a, auto &b) {
            return std::tie(a.child, a.items, a.language, a.asked, a.given) <
                   std::tie(b.child, b.items, b.language, b.asked, b.given);
        });
        std::sort(summary->dateMisses.begin(), summary->dateMisses.end(), [](auto &a, auto &b) {
            return std::tie(a.child, a.asked, a.given) < std::tie(b.child, b.asked, b.given);
        });
    }
    QVERIFY(!fromServer.tallies.isEmpty() && !fromServer.pairs.isEmpty() &&
            !fromServer.dateMisses.isEmpty());
    QCOMPARE(fromServer.tallies, fromFile.tallies);
    QCOMPARE(fromServer.pairs, fromFile.pairs);
    QCOMPARE(fromServer.dateMisses, fromFile.dateMisses);
    QCOMPARE(fromServer.lastPlayed, fromFile.lastPlayed);
    // And the same review days.
    QList<AnswerDay> daysFromServer;
    QVERIFY2(
        ServerClass::daysOfAll(teacher.db(), QStringLiteral("5C"), today, &daysFromServer, &error),
        qPrintable(error));
    QList<AnswerDay> daysFromFile = ResultsFolder::daysOfAll(folder.path(), today);
    daysFromFile.removeIf([](const AnswerDay &d) { return d.child == "altra-classe"; });
    const auto order = [](const AnswerDay &a, const AnswerDay &b) {
        return std::tie(a.child, a.items, a.asked, a.given, a.day, a.allRight) <
               std::tie(b.child, b.items, b.asked, b.given, b.day, b.allRight);
    };
    std::sort(daysFromServer.begin(), daysFromServer.end(), order);
    std::sort(daysFromFile.begin(), daysFromFile.end(), order);
    QVERIFY(!daysFromServer.isEmpty());
    QCOMPARE(daysFromServer, daysFromFile);
}

void TestSchoolServer::aPcReadsTheClassThroughTheModule()
{
    addChild(QStringLiteral("diritti"));
    ServerConnection teacher(ServiceFile::teacher);
    QVERIFY2(teacher.open(), qPrintable(teacher.reason()));
    const QList<ServerChild> children{{"c-ada", "Ada", "gatto", QByteArray("RIFF ada")},
                                      {"c-ugo", "Ugo", "mela", QByteArray()}};
    QString problem;
    QVERIFY2(ServerClass::publish(teacher.db(), QStringLiteral("6D"), children, &problem),
             qPrintable(problem));
    // As the children's program reads it: through the module it loads.
    ResultsLibrary library(QStringLiteral(TEMPIOLO_RESULTS_MODULE));
    ServerClassList list;
    QVERIFY2(library.readServerClass(ServiceFile::children, QStringLiteral("6D"), &list, &problem),
             qPrintable(problem));
    QVERIFY(list.classes.contains("6D") && list.classes.size() > 1);
    QCOMPARE(list.children, children);
    // Every class's children, by which a child moved is told from one taken away.
    QVERIFY(list.everyChild.contains("c-ada") && list.everyChild.contains("diritti"));
    // Several classes and none chosen: no children until one is.
    QVERIFY(library.readServerClass(ServiceFile::children, QString(), &list, &problem));
    QCOMPARE(list.children, QList<ServerChild>());
}

void TestSchoolServer::saidInItalian_data()
{
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QString>("after");
    QTest::newRow("a service not in the file")
        << "tempiolo-nessuno"
        << ""
        << "Il servizio tempiolo-nessuno non è nel file dei servizi"
        << "";
    QTest::newRow("a wrong password")
        << "tempiolo-chiave"
        << "DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'tempiolo_chiave')"
           " THEN CREATE ROLE tempiolo_chiave LOGIN PASSWORD 'giusta' IN ROLE"
           " tempiolo_insegnante; END IF; END $$"
        << "non accetta la password del servizio tempiolo-chiave"
        << "";
    QTest::newRow("a role the server lacks") << "tempiolo-ignoto"
                                             << ""
                                             << "manca il ruolo del servizio tempiolo-ignoto"
                                             << "";
    QTest::newRow("a server of a newer version")
        << "tempiolo-insegnante"
        << "UPDATE tempiolo_schema SET version = 99"
        << "preparato da una versione più recente di Tempiolo (tabelle della versione 99)"
        << "UPDATE tempiolo_schema SET version = 1";
    QTest::newRow("a right taken away")
        << "tempiolo-insegnante"
        << "REVOKE SELECT ON answers FROM tempiolo_insegnante"
        << "manca il permesso (va fatto di nuovo tempiolo --prepara-server)"
        << "GRANT SELECT ON answers TO tempiolo_insegnante";
}

// What La classe says of a server it cannot use: which of the usual faults.
void TestSchoolServer::saidInItalian()
{
    QFETCH(QString, service);
    QFETCH(QString, before);
    QFETCH(QString, says);
    QFETCH(QString, after);
    addChild(QStringLiteral("diritti"));
    if (!before.isEmpty())
        QVERIFY2(!server_->psql(before + QStringLiteral("; SELECT 1")).isNull(),
                 qPrintable(server_->problem()));
    ServerConnection connection(service);
    QString said;
    if (connection.open()) {
        AnswerSummary summary;
        QVERIFY(!ServerClass::summarise(
            connection.db(), QStringLiteral("3B"),
            DayRange{QDate::currentDate().addDays(-7), QDate::currentDate()}, &summary, &said));
    } else {
        said = connection.reason();
    }
    if (!after.isEmpty())
        QVERIFY(!server_->psql(after + QStringLiteral("; SELECT 1")).isNull());
    QVERIFY2(said.contains(says), qPrintable(said));
}

QTEST_GUILESS_MAIN(TestSchoolServer)
#include "tst_school_server.moc"
