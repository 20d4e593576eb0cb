#include "EffectSoundPlayer.h"
#include "LazySoundPlayer.h"
#include "Modulo1.h"
#include "TestProgram.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

// Sounds in a classroom: folders go missing, files get damaged, PCs have no
// sound card, and the program is started from a menu, a link or a terminal
// anywhere on the disk.
class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void realSoundsWithoutAudioDevice();
    void secondSoundReplacesTheFirst();
    void damagedSoundsFolder_data();
    void damagedSoundsFolder();
    void voiceWithMissingDamagedOrOwnClips();
    void soundModuleMissingOrBroken_data();
    void soundModuleMissingOrBroken();
    void soundModuleLoadsOnDemand();
    void soundsFoundFromAnyFolderAndThroughALink_data();
    void soundsFoundFromAnyFolderAndThroughALink();
};

void TestHostile::realSoundsWithoutAudioDevice()
{
    // The test machines have no sound card: this is the real thing.
    EffectSoundPlayer player;
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < 3; ++round) {
        for (const QString &path : Modulo1::allSoundPaths()) {
            player.play(path);
            QCOMPARE(player.current(), path);
            QCoreApplication::processEvents();
        }
    }
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

void TestHostile::secondSoundReplacesTheFirst()
{
    EffectSoundPlayer player;
    player.preload(Modulo1::allSoundPaths());
    const QStringList paths = Modulo1::allSoundPaths();
    player.play(paths[0]);
    player.play(paths[4]);
    QCOMPARE(player.current(), paths[4]);
    // A missing file stops what was playing and leaves nothing current.
    player.play(QDir::temp().filePath(QStringLiteral("no-such-sound.wav")));
    QCOMPARE(player.current(), QString());

    // Two answers in a row in a window: two sounds asked, the last one wins.
    TestProgram program;
    program.random.script({0.9});
    Modulo1::SuonoEsatto(program.services);
    Modulo1::SuonoErrato(program.services);
    QCOMPARE(program.sound.played.size(), 2);
    QVERIFY(program.sound.played[1].endsWith(QStringLiteral("no.wav")));
}

void TestHostile::damagedSoundsFolder_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("no suoni folder") << "missing folder";
    QTest::newRow("suoni is a file") << "file";
    QTest::newRow("empty files") << "empty";
    QTest::newRow("files are not sound") << "garbage";
    QTest::newRow("files cut short") << "truncated";
}

void TestHostile::damagedSoundsFolder()
{
    QFETCH(QString, damage);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("suoni"));
    if (damage == QLatin1String("file")) {
        QFile file(folder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (damage != QLatin1String("missing folder")) {
        QVERIFY(QDir().mkpath(folder));
        for (const QString &real : Modulo1::allSoundPaths()) {
            QFile source(real);
            QVERIFY(source.open(QIODevice::ReadOnly));
            QByteArray bytes = source.readAll();
            if (damage == QLatin1String("empty"))
                bytes.clear();
            else if (damage == QLatin1String("garbage"))
                bytes.fill('x', 1000);
            else
                bytes.truncate(60);
            QFile copy(QDir(folder).filePath(QFileInfo(real).fileName()));
            QVERIFY(copy.open(QIODevice::WriteOnly));
            copy.write(bytes);
        }
    }
    EffectSoundPlayer player;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 10; ++i) {
        const QString name =
            i % 5 == 4 ? QStringLiteral("no.wav") : QStringLiteral("si%1.wav").arg(i % 5 + 1);
        player.play(folder + QDir::separator() + name);
        QCoreApplication::processEvents();
    }
    QTest::qWait(200);
    player.play(folder + QDir::separator() + QStringLiteral("si1.wav"));
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

void TestHostile::voiceWithMissingDamagedOrOwnClips()
{
    QTemporaryDir dir;
    const QString good = QStringLiteral(TEMPIOLO_MADE_VOICES_DIR "/it/gennaio.wav");
    QVERIFY(QFileInfo(good).isFile());
    const QString damaged = dir.filePath(QStringLiteral("febbraio.wav"));
    QFile garbage(damaged);
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(1000, 'x'));
    garbage.close();
    const QString missing = dir.filePath(QStringLiteral("marzo.wav"));

    // The real player, with no sound card: the bad clips are left out with
    // one warning each, however often they are asked for, and the voice goes on.
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable(QStringLiteral("tempiolo: cannot say ") + missing));
    QTest::ignoreMessage(QtWarningMsg,
                         qPrintable(QStringLiteral("tempiolo: cannot say ") + damaged));
    EffectSoundPlayer player;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 3; ++i) {
        player.speak({missing, damaged, good});
        QTRY_VERIFY_WITH_TIMEOUT(player.speaking() == good || player.speaking().isEmpty(), 3000);
    }
    // An answer's sound cuts the voice off.
    player.play(Modulo1::allSoundPaths().constFirst());
    QCOMPARE(player.speaking(), QString());
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    // Qt Multimedia 6.4 deadlocks deleting a sound whose file is still loading.
    QTest::qWait(200);

    // A teacher's own recording of a name is said instead of the made one.
    TestProgram program;
    QVERIFY(QDir().mkpath(program.voice.ownClipsFolder()));
    const QString own = program.voice.ownClipsFolder() + QStringLiteral("/gennaio.wav");
    QVERIFY(QFile::copy(good, own));
    program.voice.say({QStringLiteral("gennaio"), QStringLiteral("duemila")});
    QFile::remove(own);
    QCOMPARE(program.sound.spoken.size(), 1);
    QCOMPARE(program.sound.spoken[0][0], own);
    QVERIFY(program.sound.spoken[0][1].endsWith(QStringLiteral("/voci/it/duemila.wav")));
}

void TestHostile::soundModuleMissingOrBroken_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("no module") << QByteArray();
    QTest::newRow("module is not a library") << QByteArray("not a shared object");
}

void TestHostile::soundModuleMissingOrBroken()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString module = dir.filePath(QStringLiteral("libtempiolo-suoni.so"));
    if (!content.isEmpty()) {
        QFile file(module);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    LazySoundPlayer player(module);
    player.preload(Modulo1::allSoundPaths());
    player.play(Modulo1::allSoundPaths().first());
    player.play(Modulo1::allSoundPaths().last());
    QVERIFY(!player.loaded());
}

void TestHostile::soundModuleLoadsOnDemand()
{
    LazySoundPlayer player(QStringLiteral(TEMPIOLO_SOUND_MODULE));
    QVERIFY(!player.loaded());
    player.play(Modulo1::allSoundPaths().first());
    QVERIFY(player.loaded());
    player.preload(Modulo1::allSoundPaths());
    player.play(Modulo1::allSoundPaths().last());
}

void TestHostile::soundsFoundFromAnyFolderAndThroughALink_data()
{
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("from another folder") << false;
    QTest::newRow("through a link") << true;
}

void TestHostile::soundsFoundFromAnyFolderAndThroughALink()
{
    QFETCH(bool, throughLink);
    QTemporaryDir elsewhere;
    QString program = QCoreApplication::applicationFilePath();
    if (throughLink) {
        const QString link = elsewhere.filePath(QStringLiteral("tempiolo-link"));
        QVERIFY(QFile::link(program, link));
        program = link;
    }
    // This same executable, started as a teacher would start the program,
    // reports where it looks for its sounds.
    QProcess child;
    child.setWorkingDirectory(elsewhere.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TEMPIOLO_PRINT_SOUNDS"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(program, {});
    QVERIFY(child.waitForFinished(30000));
    const QStringList paths = QString::fromLocal8Bit(child.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(paths, Modulo1::allSoundPaths());
    for (const QString &path : paths)
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("TEMPIOLO_PRINT_SOUNDS")) {
        QCoreApplication app(argc, argv);
        for (const QString &path : Modulo1::allSoundPaths())
            std::printf("%s\n", qPrintable(path));
        return 0;
    }
    QApplication app(argc, argv);
    TestHostile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostile.moc"
