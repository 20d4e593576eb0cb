#include "ResultsFiles.h"
#include "ResultsFolder.h"
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

FileSystem::TypeOf typeIs(quint32 type)
{
    return [type](const QString &) { return type; };
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What the file's header says of its journal: 1 the rollback journal, 2 WAL.
int journalInHeader(const QString &path)
{
    return readAll(path).mid(18, 1).toHex().toInt(nullptr, 16);
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

// A sound file of some pages, all in the file itself (no log beside it).
QByteArray soundFileBytes(const QString &scratch)
{
    QList<KeptAnswer> answers;
    for (int i = 0; i < 1000; ++i)
        answers.append(answer(QStringLiteral("bimbo-1"), QStringLiteral("MARZO %1").arg(i)));
    fill(scratch, host, answers, QStringLiteral("delete"));
    return readAll(scratch + u'/' + ResultsFiles::fileNameFor(host));
}

} // namespace

class TestAnswerLog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fileNames_data();
    void fileNames();
    void changedHostNamesStayApart();
    void journalFollowsTheFileSystem_data();
    void journalFollowsTheFileSystem();
    void aFileMovedToTheNetworkLeavesWal();
    void damagedFiles_data();
    void damagedFiles();
    void setAsideNeverOverwrites();
    void anotherProgramsFileIsNotTakenOver();
    void anAnswerWithEmptyFields();
    void ownerOnly_data();
    void ownerOnly();
    void unwritableFolder_data();
    void unwritableFolder();
    void answersResumeWhenTheFolderComesBack();
    void keepNeverWaitsForALockedFile();
    void killed_data();
    void killed();
    void fullDisk();
    void withoutTheSqliteDriver();
};

void TestAnswerLog::init()
{
    // A connection still in use when it is removed is a leak of ours.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("still in use")));
    umask(022);
}

void TestAnswerLog::fileNames_data()
{
    QTest::addColumn<QString>("hostName");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain") << "pc1"
                           << "risultati-pc1.sqlite";
    QTest::newRow("capitals") << "PC-Aula3"
                              << "risultati-pc-aula3.sqlite";
    QTest::newRow("underscore") << "aula_2"
                                << "risultati-aula_2.sqlite";
    QTest::newRow("none") << ""
                          << "risultati-senza-nome.sqlite";
    QTest::newRow("blanks around") << "  pc1 \n"
                                   << "risultati-pc1.sqlite";
}

void TestAnswerLog::fileNames()
{
    QFETCH(QString, hostName);
    QFETCH(QString, fileName);
    QCOMPARE(ResultsFiles::fileNameFor(hostName), fileName);
}

void TestAnswerLog::changedHostNamesStayApart()
{
    const QStringList hosts = {"pc.1",   "pc-1",           "pc 1",    "pc/1",
                               "../pc1", "pc1..",          "Niccolò", QString(70, u'a'),
                               "pc:1",   QString(80, u'a')};
    QTemporaryDir folder;
    QSet<QString> names;
    for (const QString &hostName : hosts) {
        const QString name = ResultsFiles::fileNameFor(hostName);
        QVERIFY2(QRegularExpression(QStringLiteral("^risultati-[a-z0-9_-]+\\.sqlite$"))
                     .match(name)
                     .hasMatch(),
                 qPrintable(name));
        QVERIFY2(!names.contains(name), qPrintable(hostName + u' ' + name));
        names.insert(name);
        QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
    }
    // Every name made is a name the readers look for.
    QCOMPARE(ResultsFiles::computerFiles(folder.path()).size(), hosts.size());
    QCOMPARE(ResultsFiles::setAsideFiles(folder.path()), QStringList());
}

void TestAnswerLog::journalFollowsTheFileSystem_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QString>("journal");
    QTest::addColumn<int>("header");
    QTest::newRow("ext4") << quint32(0xEF53) << "wal" << 2;
    QTest::newRow("tmpfs") << quint32(0x01021994) << "wal" << 2;
    QTest::newRow("not told") << quint32(0) << "wal" << 2;
    QTest::newRow("NFS") << quint32(0x6969) << "delete" << 1;
    QTest::newRow("SMB") << quint32(0x517B) << "delete" << 1;
    QTest::newRow("CIFS") << quint32(0xFF534D42) << "delete" << 1;
    QTest::newRow("SMB2") << quint32(0xFE534D42) << "delete" << 1;
    QTest::newRow("FUSE (sshfs)") << quint32(0x65735546) << "delete" << 1;
}

void TestAnswerLog::journalFollowsTheFileSystem()
{
    QFETCH(quint32, type);
    QFETCH(QString, journal);
    QFETCH(int, header);
    QTemporaryDir folder;
    QString path;
    {
        SqliteAnswerLog log(folder.path(), host, typeIs(type));
        log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("GIUGNO")));
        QVERIFY(log.flush());
        QCOMPARE(log.journalMode(), journal);
        QCOMPARE(log.problem(), QString());
        path = log.path();
    }
    QCOMPARE(journalInHeader(path), header);
    QCOMPARE(answersIn(path).size(), 1);
}

void TestAnswerLog::aFileMovedToTheNetworkLeavesWal()
{
    QTemporaryDir folder;
    fill(folder.path(), host, {answer(QStringLiteral("bimbo-1"), QStringLiteral("MAGGIO"))});
    const QString path = folder.filePath(ResultsFiles::fileNameFor(host));
    QCOMPARE(journalInHeader(path), 2);
    {
        SqliteAnswerLog log(folder.path(), host, typeIs(nfs));
        log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("APRILE")));
        QVERIFY(log.flush());
        QCOMPARE(log.journalMode(), QStringLiteral("delete"));
    }
    QCOMPARE(journalInHeader(path), 1);
    QCOMPARE(answersIn(path).size(), 2);
}

void TestAnswerLog::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("companion");
    QTest::addColumn<bool>("setAside");
    QTest::addColumn<bool>("keeps");

    QTemporaryDir scratch;
    const QByteArray sound = soundFileBytes(scratch.path());
    QVERIFY(sound.size() > 8 * 4096);
    QByteArray random(16 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char &byte : random)
        byte = char(generator.bounded(256));
    QByteArray overwritten = sound;
    overwritten.replace(4 * 4096, 4096, QByteArray(4096, '\xFF'));
    QByteArray newer = sound;
    // user_version 2, as a later build may write.
    newer[63] = 2;

    QTest::newRow("random bytes") << random << "" << true << true;
    QTest::newRow("random bytes with a log") << random << "-wal" << true << true;
    QTest::newRow("random bytes with a journal") << random << "-journal" << true << true;
    QTest::newRow("a line of text") << QByteArray("ciao\n") << "" << true << true;
    QTest::newRow("truncated database") << sound.left(sound.size() / 2) << "" << true << true;
    QTest::newRow("a page overwritten") << overwritten << "" << true << true;
    QTest::newRow("zero-length file") << QByteArray() << "" << false << true;
    QTest::newRow("newer build's file") << newer << "" << false << false;
    QTest::newRow("newer build's file with a journal") << newer << "-journal" << false << false;
}

void TestAnswerLog::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, companion);
    QFETCH(bool, setAside);
    QFETCH(bool, keeps);
    QTemporaryDir folder;
    const QString path = folder.filePath(ResultsFiles::fileNameFor(host));
    writeAll(path, bytes);
    const QByteArray companionBytes = QByteArrayLiteral("not a log, not a journal");
    if (!companion.isEmpty())
        writeAll(path + companion, companionBytes);
    const QMap<QString, QByteArray> before = bytesOf(folder.path());

    SqliteAnswerLog log(folder.path(), host, typeIs(ext4));
    log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("OTTOBRE")));
    QVERIFY(log.flush());

    if (setAside) {
        const QString aside = folder.filePath(QStringLiteral("risultati-pc1.danneggiato-%1.sqlite")
                                                  .arg(QDate::currentDate().toString(Qt::ISODate)));
        QCOMPARE(log.setAside(), aside);
        QCOMPARE(ResultsFiles::setAsideFiles(folder.path()), QStringList{aside});
        QCOMPARE(readAll(aside), bytes);
    } else {
        QCOMPARE(log.setAside(), QString());
        QCOMPARE(ResultsFiles::setAsideFiles(folder.path()), QStringList());
    }
    QCOMPARE(ResultsFiles::computerFiles(folder.path()), QStringList{path});
    // SQLite may have played a journal or log back before the file was
    // judged; what is left of it goes with the file, never into the new one.
    if (setAside && !companion.isEmpty())
        QVERIFY(readAll(path + companion) != companionBytes);
    if (keeps) {
        // The child plays on and the teacher is told nothing.
        QCOMPARE(log.problem(), QString());
        QCOMPARE(log.written(), 1);
        const QList<KeptAnswer> kept = answersIn(path);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept.first().given, QStringLiteral("OTTOBRE"));
    } else {
        QVERIFY(log.problem().contains(QStringLiteral("più recente")));
        QCOMPARE(log.lost(), 1);
        // Not a byte written, nor a file added beside it.
        QCOMPARE(bytesOf(folder.path()), before);
    }
}

void TestAnswerLog::setAsideNeverOverwrites()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(ResultsFiles::fileNameFor(host));
    const QByteArrayList damaged = {"first damaged file", "second damaged file", "third"};
    for (const QByteArray &bytes : damaged) {
        writeAll(path, bytes);
        SqliteAnswerLog log(folder.path(), host, typeIs(ext4));
        QVERIFY(log.flush());
        QVERIFY(!log.setAside().isEmpty());
    }
    const QStringList aside = ResultsFiles::setAsideFiles(folder.path());
    QCOMPARE(aside.size(), 3);
    QByteArrayList kept;
    for (const QString &file : aside)
        kept.append(readAll(file));
    std::sort(kept.begin(), kept.end());
    QByteArrayList expected = damaged;
    std::sort(expected.begin(), expected.end());
    QCOMPARE(kept, expected);
}

void TestAnswerLog::anotherProgramsFileIsNotTakenOver()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(ResultsFiles::fileNameFor(host));
    {
        SqlConnection other(path, QString());
        QSqlQuery query(other.db());
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE answers (x TEXT)")));
        QVERIFY(query.exec(QStringLiteral("INSERT INTO answers VALUES ('dati altrui')")));
    }
    {
        SqliteAnswerLog log(folder.path(), host, typeIs(ext4));
        log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("LUGLIO")));
        QVERIFY(log.flush());
        QCOMPARE(log.lost(), 1);
        QVERIFY(!log.problem().isEmpty());
        QCOMPARE(log.setAside(), QString());
    }
    // Its upgrade failed half-way and was undone whole: no table of ours is left in it.
    SqlConnection other(path, QString());
    QSqlQuery query(other.db());
    QVERIFY(query.exec(QStringLiteral("SELECT group_concat(name) FROM sqlite_master")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("answers"));
    QVERIFY(query.exec(QStringLiteral("SELECT x FROM answers")) && query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("dati altrui"));
    QVERIFY(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
    QCOMPARE(query.value(0).toInt(), 0);
}

void TestAnswerLog::anAnswerWithEmptyFields()
{
    QTemporaryDir folder;
    SqliteAnswerLog log(folder.path(), host, typeIs(ext4));
    KeptAnswer bare;
    bare.child = QStringLiteral("bimbo-1");
    log.keep(bare);
    log.keep(KeptAnswer());
    QVERIFY(log.flush());
    QCOMPARE(log.written(), 2);
    const QList<KeptAnswer> kept = answersIn(log.path());
    QCOMPARE(kept.size(), 2);
    // The time of keeping stands in for a time not given.
    QVERIFY(qAbs(kept.first().when.secsTo(QDateTime::currentDateTime())) < 60);
    QCOMPARE(kept.first().computer, host);
}

void TestAnswerLog::ownerOnly_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<bool>("existingOpenToAll");
    QTest::newRow("new file, WAL") << ext4 << false;
    QTest::newRow("new file, rollback journal") << nfs << false;
    QTest::newRow("a file readable by all, WAL") << ext4 << true;
}

void TestAnswerLog::ownerOnly()
{
    QFETCH(quint32, type);
    QFETCH(bool, existingOpenToAll);
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("Tempiolo"));
    const QString path = folder + u'/' + ResultsFiles::fileNameFor(host);
    if (existingOpenToAll) {
        fill(folder, host, {answer(QStringLiteral("bimbo-1"), QStringLiteral("MAGGIO"))});
        QVERIFY(chmod(QFile::encodeName(path).constData(), 0644) == 0);
    }
    SqliteAnswerLog log(folder, host, typeIs(type));
    log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("GIUGNO")));
    QVERIFY(log.flush());
    QCOMPARE(log.problem(), QString());
    if (!existingOpenToAll)
        QCOMPARE(modeOf(folder), 0700);
    QCOMPARE(modeOf(path), 0600);
    // While the log is open, WAL keeps its log and shared memory beside the file.
    const QStringList companions = type == ext4 ? QStringList{"-wal", "-shm"} : QStringList{};
    for (const QString &suffix : companions)
        QCOMPARE(modeOf(path + suffix), 0600);
}

void TestAnswerLog::unwritableFolder_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<QString>("folder");
    // Root may write anywhere, so the folders are made impossible rather than forbidden.
    QTest::newRow("a file where the folder should be") << "Tempiolo"
                                                       << "Tempiolo";
    QTest::newRow("the folder under a file") << "Tempiolo"
                                             << "Tempiolo/dati";
    QTest::newRow("a folder where the file should be") << ""
                                                       << "Tempiolo";
}

void TestAnswerLog::unwritableFolder()
{
    QFETCH(QString, blocker);
    QFETCH(QString, folder);
    QTemporaryDir parent;
    const QString path = parent.filePath(folder);
    if (blocker.isEmpty())
        QVERIFY(QDir().mkpath(path + u'/' + ResultsFiles::fileNameFor(host)));
    else
        writeAll(parent.filePath(blocker), "a file");
    SqliteAnswerLog log(path, host, typeIs(ext4));
    QElapsedTimer timer;
    timer.start();
    log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("LUGLIO")));
    log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("AGOSTO")));
    QVERIFY(timer.elapsed() < 100);
    QVERIFY(log.flush(10000));
    QCOMPARE(log.written(), 0);
    QCOMPARE(log.lost(), 2);
    QVERIFY2(log.problem().contains(QStringLiteral("Non si può scrivere")),
             qPrintable(log.problem()));
    QVERIFY2(log.problem().endsWith(QStringLiteral("Risposte non salvate: 2.")),
             qPrintable(log.problem()));
}

void TestAnswerLog::answersResumeWhenTheFolderComesBack()
{
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("Tempiolo"));
    writeAll(folder, "in the way");
    SqliteAnswerLog log(folder, host, typeIs(ext4));
    log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("PERSA")));
    QVERIFY(log.flush());
    QCOMPARE(log.lost(), 1);
    QVERIFY(QFile::remove(folder));
    log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("TENUTA")));
    QVERIFY(log.flush());
    QCOMPARE(log.written(), 1);
    // The teacher still learns of the answer that was lost.
    QVERIFY(log.problem().endsWith(QStringLiteral("Risposte non salvate: 1.")));
    const QList<KeptAnswer> kept = answersIn(log.path());
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first().given, QStringLiteral("TENUTA"));
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
            log.keep(answer(QStringLiteral("bimbo-1"), QString::number(i)));
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

void TestAnswerLog::killed_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("journal");
    QTest::newRow("one answer, WAL") << "one"
                                     << "wal";
    QTest::newRow("one answer, rollback journal") << "one"
                                                  << "delete";
    QTest::newRow("while writing, WAL") << "stream"
                                        << "wal";
    QTest::newRow("while writing, rollback journal") << "stream"
                                                     << "delete";
}

void TestAnswerLog::killed()
{
    QFETCH(QString, mode);
    QFETCH(QString, journal);
    QTemporaryDir folder;
    QProcess keeper;
    keeper.start(QStringLiteral(TEMPIOLO_ANSWER_LOG_KEEPER), {folder.path(), mode, journal});
    QVERIFY(keeper.waitForStarted());
    // The last count of answers the keeper saw written before it was killed.
    qint64 written = 0;
    const qint64 enough = mode == QLatin1String("one") ? 1 : 20;
    while (written < enough) {
        QVERIFY2(keeper.waitForReadyRead(20000), "the keeper said nothing");
        while (keeper.canReadLine()) {
            const QByteArray line = keeper.readLine().trimmed();
            written = line == "kept" ? 1 : line.mid(sizeof("written")).toLongLong();
        }
    }
    keeper.kill();
    QVERIFY(keeper.waitForFinished());
    QCOMPARE(keeper.exitStatus(), QProcess::CrashExit);

    const QString path = folder.filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-ucciso")));
    const QList<KeptAnswer> kept = answersIn(path);
    QVERIFY2(kept.size() >= written, qPrintable(QString::number(kept.size())));
    if (mode == QLatin1String("one")) {
        QCOMPARE(kept.first().given, QStringLiteral("SOLO-PRIMA"));
    } else {
        // Whatever was cut off, what is there came in order, none missing.
        for (int i = 0; i < kept.size(); ++i)
            QCOMPARE(kept.at(i).given, QString::number(i));
    }
    // The file is sound: the next run keeps writing in it.
    SqliteAnswerLog next(folder.path(), QStringLiteral("pc-ucciso"),
                         typeIs(journal == QLatin1String("wal") ? ext4 : nfs));
    next.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("DOPO")));
    QVERIFY(next.flush());
    QCOMPARE(next.setAside(), QString());
    QCOMPARE(next.written(), 1);
}

void TestAnswerLog::fullDisk()
{
    QTemporaryDir folder;
    QProcess keeper;
    keeper.start(QStringLiteral(TEMPIOLO_ANSWER_LOG_KEEPER), {folder.path(), "full"});
    QVERIFY(keeper.waitForFinished(60000));
    QCOMPARE(keeper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(keeper.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(keeper.readAllStandardOutput()).split(u'\n');
    QCOMPARE(lines.value(0), QStringLiteral("written 5 lost 20"));
    QVERIFY2(lines.value(1).contains(QStringLiteral("pieno")), qPrintable(lines.value(1)));
    // The answers written before the disk filled are still there, in a sound file.
    const QString path = folder.filePath(ResultsFiles::fileNameFor(QStringLiteral("pc-ucciso")));
    QCOMPARE(answersIn(path).size(), 5);
    SqliteAnswerLog next(folder.path(), QStringLiteral("pc-ucciso"), typeIs(ext4));
    QVERIFY(next.flush());
    QCOMPARE(next.setAside(), QString());
}

void TestAnswerLog::withoutTheSqliteDriver()
{
    QTemporaryDir folder;
    QProcess keeper;
    keeper.start(QStringLiteral(TEMPIOLO_ANSWER_LOG_KEEPER), {folder.path(), "nodriver"});
    QVERIFY(keeper.waitForFinished(60000));
    QCOMPARE(keeper.exitStatus(), QProcess::NormalExit);
    const QStringList lines = QString::fromUtf8(keeper.readAllStandardOutput()).split(u'\n');
    QCOMPARE(lines.value(0), QStringLiteral("written 0 lost 25"));
    QVERIFY2(lines.value(1).contains(QStringLiteral("libqt6sql6-sqlite")),
             qPrintable(lines.value(1)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestAnswerLog)
#include "tst_answer_log.moc"
