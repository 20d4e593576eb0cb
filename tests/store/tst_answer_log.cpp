#include "ResultsFiles.h"
#include "ResultsFolder.h"
#include "ResultsSchema.h"
#include "ResultsTesting.h"
#include "SqlConnection.h"
#include "SqliteAnswerLog.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace ResultsTesting;

namespace {

const QString host = QStringLiteral("pc1");

// An answer of the one child of these tests: LUGLIO put on `month`'s place.
KeptAnswer given(int month)
{
    return answer(QStringLiteral("bimbo-1"), month);
}

FileSystem::TypeOf typeIs(const QByteArray &type)
{
    return [type](const QString &) { return type; };
}

QList<KeptAnswer> answersIn(const QString &path)
{
    QList<KeptAnswer> answers;
    QString problem;
    if (!ResultsFolder::readFile(path, &answers, &problem))
        qWarning("%s", qPrintable(problem));
    return answers;
}

int modeOf(const QString &path)
{
    struct stat info = {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

} // namespace

class TestAnswerLog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void hostNamesStayApart();
    void journalFollowsTheFileSystem_data();
    void journalFollowsTheFileSystem();
    void damagedFiles_data();
    void damagedFiles();
    void upgradeKeepsEveryAnswer_data();
    void upgradeKeepsEveryAnswer();
    void anotherProgramsFileIsNotTakenOver();
    void unwritableFolder_data();
    void unwritableFolder();
    void keepNeverWaitsForALockedFile();
    void keeperStopped_data();
    void keeperStopped();
};

void TestAnswerLog::init()
{
    // A connection still in use when it is removed is a leak of ours.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("still in use")));
    umask(022);
}

void TestAnswerLog::hostNamesStayApart()
{
    const QStringList hosts = {"pc.1",           "pc-1",    "pc 1", "pc/1", "../pc1",
                               "pc1..",          "Niccolò", "",     "pc:1", QString(70, u'a'),
                               QString(80, u'a')};
    QTemporaryDir folder;
    QSet<QString> names;
    for (const QString &hostName : hosts) {
        const QString name = ResultsFiles::fileNameFor(hostName);
        QVERIFY2(!names.contains(name), qPrintable(hostName + u' ' + name));
        names.insert(name);
        QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
    }
    // Each in the folder, and a name the readers look for.
    QCOMPARE(ResultsFiles::computerFiles(folder.path()).size(), hosts.size());
}

void TestAnswerLog::journalFollowsTheFileSystem_data()
{
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("journal");
    QTest::addColumn<bool>("existing"); // a file made in WAL mode, readable by all
    const auto row = [](const char *name, const QByteArray &type, const QString &journal,
                        bool existing) { QTest::newRow(name) << type << journal << existing; };
    row("ext4", ext4, "wal", false);
    row("NFS", nfs, "delete", false);
    row("NFS 3", "nfs", "delete", false);
    row("SMB", "smb3", "delete", false);
    row("CIFS", "cifs", "delete", false);
    row("FUSE (sshfs)", "fuse.sshfs", "delete", false);
    row("unknown", "", "wal", false);
    row("a file readable by all, ext4", ext4, "wal", true);
    row("a WAL file readable by all, moved to NFS", nfs, "delete", true);
}

void TestAnswerLog::journalFollowsTheFileSystem()
{
    QFETCH(QByteArray, type);
    QFETCH(QString, journal);
    QFETCH(bool, existing);
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("Tempiolo"));
    const QString path = folder + u'/' + ResultsFiles::fileNameFor(host);
    if (existing) {
        fill(folder, host, {given(5)});
        QVERIFY(chmod(QFile::encodeName(path).constData(), 0644) == 0);
    }
    {
        SqliteAnswerLog log(folder, host, typeIs(type));
        log.keep(given(6));
        QVERIFY(log.flush());
        QCOMPARE(log.journalMode(), journal);
        QCOMPARE(log.problem(), QString());
        // Children's answers are for their owner's eyes, and so are the log's files.
        QCOMPARE(modeOf(folder), 0700);
        QCOMPARE(modeOf(path), 0600);
        for (const char *suffix : {"-wal", "-shm"})
            QCOMPARE(modeOf(path + suffix), journal == "wal" ? 0600 : -1);
    }
    // What the file's header says of its journal: 1 the rollback journal, 2 WAL.
    QCOMPARE(int(readAll(path).at(18)), journal == "wal" ? 2 : 1);
    const QList<KeptAnswer> kept = answersIn(path);
    QCOMPARE(kept.size(), existing ? 2 : 1);
    QCOMPARE(kept.last().given, 6);
    QCOMPARE(kept.last().computer, host);
}

void TestAnswerLog::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("shm"); // left beside it by a crash: goes where the file goes
    // "set aside", "set aside, in WAL" (its header changed, nothing else),
    // "written in", "upgraded" or "left alone"
    QTest::addColumn<QString>("outcome");
    QTemporaryDir scratch;
    QList<KeptAnswer> answers;
    for (int i = 0; i < 1000; ++i)
        answers.append(given(i));
    fill(scratch.path(), host, answers, QStringLiteral("delete"));
    const QByteArray sound = readAll(scratch.filePath(ResultsFiles::fileNameFor(host)));
    QByteArray random(16 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char &byte : random)
        byte = char(generator.bounded(256));
    const auto row = [](const char *name, const QByteArray &bytes, const QByteArray &shm,
                        const QString &outcome) { QTest::newRow(name) << bytes << shm << outcome; };
    row("random bytes", random, "", "set aside");
    row("random bytes, with shared memory beside", random, "left by a crash", "set aside");
    row("truncated", sound.left(sound.size() / 2), "", "set aside");
    row("a page overwritten", QByteArray(sound).replace(4 * 4096, 4096, QByteArray(4096, '\xFF')),
        "", "set aside");
    row("zero-length", "", "", "written in");
    // A version above this build's, as a later build may write.
    row("a newer build's file",
        QByteArray(sound).replace(63, 1, QByteArray(1, char(ResultsSchema::version + 1))), "",
        "left alone");
    row("a version-1 file", readAll(version1Folder() + "/risultati-aula-1.sqlite"), "", "upgraded");
    {
        // Version 1 by its number, but not in its shape: it cannot be brought up to date.
        const QString odd = scratch.filePath(QStringLiteral("strano.sqlite"));
        SqlConnection made(odd, QString());
        QSqlQuery query(made.db());
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE answers (id INTEGER PRIMARY KEY)")));
        QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = 1")));
        query.finish();
        made.db().close();
        row("a version-1 file that cannot be upgraded", readAll(odd), "", "set aside, in WAL");
    }
}

void TestAnswerLog::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, shm);
    QFETCH(QString, outcome);
    QTemporaryDir folder;
    const QString path = folder.filePath(ResultsFiles::fileNameFor(host));
    writeAll(path, bytes);
    if (!shm.isEmpty())
        writeAll(path + "-shm", shm);
    // One set aside earlier today, never to be written over.
    const QString earlier = folder.filePath(QStringLiteral("risultati-pc1.danneggiato-%1.sqlite")
                                                .arg(QDate::currentDate().toString(Qt::ISODate)));
    writeAll(earlier, "earlier");
    const QMap<QString, QByteArray> before = bytesOf(folder.path());

    SqliteAnswerLog writer(folder.path(), host, typeIs(ext4));
    writer.keep(given(10));
    QVERIFY(writer.flush());
    if (outcome == "left alone") {
        QVERIFY(writer.problem().contains(QStringLiteral("più recente")));
        QCOMPARE(writer.lost(), 1);
        // Not a byte written, nor a file added beside it.
        QCOMPARE(bytesOf(folder.path()), before);
        return;
    }
    // The child plays on and the teacher is told nothing.
    QCOMPARE(writer.problem(), QString());
    const QList<KeptAnswer> kept = answersIn(path);
    QCOMPARE(kept.size(), outcome == "upgraded" ? 55 : 1);
    QCOMPARE(kept.last().given, 10);
    QCOMPARE(ResultsFiles::computerFiles(folder.path()), QStringList{path});
    QCOMPARE(readAll(earlier), QByteArray("earlier"));
    if (outcome == "upgraded")
        QCOMPARE(kept.first().when,
                 answersIn(version1Folder() + "/risultati-aula-1.sqlite").first().when);
    if (outcome.startsWith("set aside")) {
        QCOMPARE(writer.setAside(), QString(earlier).replace(".sqlite", "-2.sqlite"));
        const int header = outcome == "set aside" ? 0 : 100;
        QCOMPARE(readAll(writer.setAside()).mid(header), bytes.mid(header));
        QCOMPARE(readAll(writer.setAside() + "-shm"), shm);
    } else {
        QCOMPARE(writer.setAside(), QString());
        QCOMPARE(ResultsFiles::setAsideFiles(folder.path()), QStringList{earlier});
    }
}

void TestAnswerLog::upgradeKeepsEveryAnswer_data()
{
    QTest::addColumn<bool>("inPlace"); // by the file's writer, or in a reader's copy
    QTest::newRow("by its writer, in place") << true;
    QTest::newRow("by a reader, in a copy") << false;
}

void TestAnswerLog::upgradeKeepsEveryAnswer()
{
    QFETCH(bool, inPlace);
    QTemporaryDir folder;
    const QString name = QStringLiteral("risultati-aula-1.sqlite");
    const QString path = folder.filePath(name);
    QVERIFY(QFile::copy(version1Folder() + u'/' + name, path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    const QByteArray before = readAll(path);
    // Every answer as version 1 kept it, its time and words included.
    QStringList old;
    {
        SqlConnection v1(path, QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(v1.db());
        QVERIFY(query.exec(QStringLiteral(
            "SELECT a.answered_at, a.utc_offset, c.uuid, a.computer, a.is_right, a.route,"
            " a.seconds, a.exercise, a.asked, a.given FROM answers a JOIN children c"
            " ON c.id = a.child ORDER BY a.id")));
        while (query.next()) {
            QStringList fields;
            for (int i = 0; i < 10; ++i)
                fields << query.value(i).toString();
            old << fields.join(u'|');
        }
    }
    QCOMPARE(old.size(), 54);
    if (inPlace) {
        SqliteAnswerLog writer(folder.path(), QStringLiteral("aula-1"), typeIs(ext4));
        QVERIFY(writer.flush());
        QCOMPARE(writer.problem(), QString());
        QCOMPARE(writer.setAside(), QString());
    }
    const QList<KeptAnswer> read = answersIn(path);
    // A reader never changes the file; its writer brings it up to date.
    QCOMPARE(readAll(path) == before, !inPlace);
    QCOMPARE(read.size(), old.size());
    QSet<QUuid> ids;
    // The words of an exercise as version 1 wrote them.
    const QStringList months = {"GENNAIO",   "FEBBRAIO", "MARZO",    "APRILE",
                                "MAGGIO",    "GIUGNO",   "LUGLIO",   "AGOSTO",
                                "SETTEMBRE", "OTTOBRE",  "NOVEMBRE", "DICEMBRE"};
    for (int i = 0; i < read.size(); ++i) {
        const KeptAnswer &answer = read.at(i);
        const QStringList was = old.at(i).split(u'|');
        QCOMPARE(QString::number(answer.when.toMSecsSinceEpoch()), was[0]);
        QCOMPARE(QString::number(answer.when.offsetFromUtc()), was[1]);
        QCOMPARE((QStringList{answer.child, answer.computer, QString::number(answer.right),
                              answer.route, QString::number(answer.seconds)}),
                 was.mid(2, 5));
        QVERIFY(!answer.exercise.contains(u' '));
        QCOMPARE(answer.askedText + answer.givenText, QString());
        QVERIFY(answer.asked > 0 && answer.given > 0);
        QCOMPARE(answer.round, QUuid());
        if (answer.items == Items::Months && answer.language == QLatin1String("it")) {
            QCOMPARE(months.value(answer.asked - 1), was[8]);
            QCOMPARE(months.value(answer.given - 1), was[9]);
        }
        if (answer.items == Items::Dates)
            QCOMPARE(dateOfNumber(answer.given).toString(Qt::ISODate), was[9]);
        QCOMPARE(answer.asked == answer.given, answer.right);
        ids.insert(answer.id);
    }
    QCOMPARE(ids.size(), read.size());
    // The same identities however often the file is upgraded.
    const QString copy = folder.filePath(QStringLiteral("risultati-copia.sqlite"));
    QVERIFY(QFile::copy(version1Folder() + u'/' + name, copy));
    const QList<KeptAnswer> again = answersIn(copy);
    QCOMPARE(again.size(), read.size());
    for (int i = 0; i < read.size(); ++i)
        QCOMPARE(again.at(i).id, read.at(i).id);
}

void TestAnswerLog::anotherProgramsFileIsNotTakenOver()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(ResultsFiles::fileNameFor(host));
    SqlConnection other(path, QString());
    QSqlQuery query(other.db());
    QVERIFY(query.exec(QStringLiteral("CREATE TABLE answers (x TEXT)")));
    {
        SqliteAnswerLog log(folder.path(), host, typeIs(ext4));
        log.keep(given(7));
        QVERIFY(log.flush());
        QCOMPARE(log.lost(), 1);
        QVERIFY(!log.problem().isEmpty());
        QCOMPARE(log.setAside(), QString());
    }
    // Its upgrade failed half-way and was undone whole: no table of ours is left in it.
    QVERIFY(query.exec(QStringLiteral("SELECT group_concat(name) FROM sqlite_master")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("answers"));
}

void TestAnswerLog::unwritableFolder_data()
{
    // Root may write anywhere, so the folder is made impossible rather than forbidden.
    QTest::addColumn<bool>("folderIsAFile"); // else a folder is where the file should be
    QTest::newRow("a file where the folder should be") << true;
    QTest::newRow("a folder where the file should be") << false;
}

void TestAnswerLog::unwritableFolder()
{
    QFETCH(bool, folderIsAFile);
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("Tempiolo"));
    const QString blocker =
        folderIsAFile ? folder : folder + u'/' + ResultsFiles::fileNameFor(host);
    if (folderIsAFile)
        writeAll(blocker, "in the way");
    else
        QVERIFY(QDir().mkpath(blocker));
    SqliteAnswerLog log(folder, host, typeIs(ext4));
    log.keep(given(7));
    log.keep(given(8));
    QVERIFY(log.flush(10000));
    QCOMPARE(log.lost(), 2);
    QVERIFY2(log.problem().startsWith(QStringLiteral("Non si può scrivere")),
             qPrintable(log.problem()));

    // Once the way is clear answers are kept again, and the teacher still
    // learns of those that were lost.
    QVERIFY(folderIsAFile ? QFile::remove(blocker) : QDir(blocker).removeRecursively());
    log.keep(given(9));
    QVERIFY(log.flush());
    QCOMPARE(log.written(), 1);
    // Why they were lost stays too, however many answers are kept since.
    log.keep(given(10));
    QVERIFY(log.flush());
    QVERIFY2(log.problem().startsWith(QStringLiteral("Non si può scrivere")) &&
                 log.problem().endsWith(QStringLiteral("Risposte non salvate: 2.")),
             qPrintable(log.problem()));
    QCOMPARE(answersIn(log.path()).value(0).given, 9);
}

void TestAnswerLog::keepNeverWaitsForALockedFile()
{
    QTemporaryDir folder;
    SqliteAnswerLog log(folder.path(), host, typeIs(ext4));
    QVERIFY(log.flush());
    {
        // Another program holds the file for a second: the writer waits, the child does not.
        SqlConnection other(log.path(), QString());
        QSqlQuery lock(other.db());
        QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 20; ++i)
            log.keep(given(i));
        QVERIFY2(timer.elapsed() < 200, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!log.flush(500));
        QCOMPARE(log.written(), 0);
        QTest::qWait(500);
        QVERIFY(lock.exec(QStringLiteral("COMMIT")));
    }
    QVERIFY(log.flush());
    QCOMPARE(log.written(), 20);
    QCOMPARE(log.problem(), QString());
}

void TestAnswerLog::keeperStopped_data()
{
    QTest::addColumn<QString>("mode"); // of answer_log_keeper
    QTest::addColumn<QString>("journal");
    QTest::addColumn<QString>("said"); // at its end, unless it was killed
    const auto row = [](const char *name, const QString &mode, const QString &journal,
                        const QString &said) { QTest::newRow(name) << mode << journal << said; };
    row("killed while writing, WAL", "stream", "wal", "");
    row("killed while writing, rollback journal", "stream", "delete", "");
    row("a full disk", "full", "wal", "written 5 lost 20\n.*pieno");
    row("no SQLite driver", "nodriver", "wal", "written 0 lost 25\n.*libqt6sql6-sqlite");
}

void TestAnswerLog::keeperStopped()
{
    QFETCH(QString, mode);
    QFETCH(QString, journal);
    QFETCH(QString, said);
    QTemporaryDir folder;
    QProcess keeper;
    keeper.start(QStringLiteral(TEMPIOLO_ANSWER_LOG_KEEPER), {folder.path(), mode, journal});
    // The last count of answers the keeper saw written.
    qint64 written = 0;
    if (said.isEmpty()) {
        while (written < 20) {
            QVERIFY2(keeper.waitForReadyRead(20000), "the keeper said nothing");
            while (keeper.canReadLine())
                written = keeper.readLine().trimmed().mid(sizeof("written")).toLongLong();
        }
        keeper.kill();
        QVERIFY(keeper.waitForFinished());
    } else {
        QVERIFY(keeper.waitForFinished(60000));
        QCOMPARE(keeper.exitStatus(), QProcess::NormalExit);
        const QString output = QString::fromUtf8(keeper.readAllStandardOutput());
        QVERIFY2(QRegularExpression(said).match(output).hasMatch(), qPrintable(output));
        written = output.section(u' ', 1, 1).toLongLong();
    }
    const QString path = folder.filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-ucciso")));
    const QList<KeptAnswer> kept = answersIn(path);
    QVERIFY2(kept.size() >= written, qPrintable(QString::number(kept.size())));
    // Whatever was cut off, what is there came in order, none missing.
    for (int i = 0; i < kept.size(); ++i)
        QCOMPARE(kept.at(i).given, i);
    // The file is sound: the next run keeps writing in it.
    SqliteAnswerLog next(folder.path(), QStringLiteral("pc-ucciso"),
                         typeIs(journal == "wal" ? ext4 : nfs));
    next.keep(given(11));
    QVERIFY(next.flush());
    QCOMPARE(next.setAside(), QString());
    QCOMPARE(next.written(), 1);
}

QTEST_GUILESS_MAIN(TestAnswerLog)
#include "tst_answer_log.moc"
