#include "EffectSoundPlayer.h"
#include "FormEsercizio.h"
#include "MessageBoxDialogs.h"
#include "Modulo1.h"
#include "TestProgram.h"
#include "WindowScale.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestServices : public QObject
{
    Q_OBJECT

private slots:
    void rightSoundFile_data();
    void rightSoundFile();
    void wrongSoundFile();
    void soundPathsSitBesideTheExecutable();
    void aboutTextHasFourLines();
    void aboutBoxTitleAndText();
    void mainSeedsOnceAndShowsStartScreen();
    void registryKeepsOneInstance();
    void registryForgetsWindowClosedByWindowSystem();
    void closingAClosedWindowDoesNothing();
    void fullScreenRunAndF11_data();
    void fullScreenRunAndF11();
    void messageBoxTextFollowsTheWindowsScale_data();
    void messageBoxTextFollowsTheWindowsScale();
    void languageAndVoiceChoicesAreRemembered();
    void effectPlayerSurvivesHostileFiles_data();
    void effectPlayerSurvivesHostileFiles();
};

void TestServices::languageAndVoiceChoicesAreRemembered()
{
    TestProgram program;
    QCOMPARE(program.choices.language(), QStringLiteral("it"));
    // Chosen on the menu, kept in the settings file for the next run.
    QWidget *menu = program.open(Finestra::FormMenu);
    menu->findChild<QAbstractButton *>(QStringLiteral("Option2(1)"))->click();
    QCOMPARE(QSettings(QStringLiteral("Tempiolo"), QStringLiteral("Tempiolo"))
                 .value(QStringLiteral("lingua"))
                 .toString(),
             QStringLiteral("en"));
    QCOMPARE(program.choices.language(), QStringLiteral("en"));
    QCOMPARE(Choices().language(), QStringLiteral("en"));
    // The voice follows the language.
    QVERIFY(program.voice.clipPath(QStringLiteral("january"))
                .endsWith(QStringLiteral("/voci/en/january.wav")));
    program.windows.close(Finestra::FormMenu);
    QWidget *again = program.open(Finestra::FormMenu);
    QVERIFY(again->findChild<QAbstractButton *>(QStringLiteral("Option2(1)"))->isChecked());
    again->findChild<QAbstractButton *>(QStringLiteral("Option2(0)"))->click();
    QCOMPARE(Choices().language(), QStringLiteral("it"));
}

void TestServices::rightSoundFile_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("file");
    QTest::newRow("0") << 0.0 << "si1.wav";
    QTest::newRow("just below 0.25") << std::nextafter(0.25, 0.0) << "si1.wav";
    QTest::newRow("0.25") << 0.25 << "si2.wav";
    QTest::newRow("0.5") << 0.5 << "si3.wav";
    QTest::newRow("0.75") << 0.75 << "si4.wav";
    QTest::newRow("just below 1") << ScriptedRandom::justBelowOne() << "si4.wav";
}

void TestServices::rightSoundFile()
{
    QFETCH(double, r);
    QFETCH(QString, file);
    TestProgram program;
    program.random.script({r});
    Modulo1::SuonoEsatto(program.services);
    QCOMPARE(program.random.draws(), 1);
    const QString expected = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                                      QStringLiteral("/suoni/") + file);
    QCOMPARE(program.sound.played, QStringList{expected});
}

void TestServices::wrongSoundFile()
{
    TestProgram program;
    Modulo1::SuonoErrato(program.services);
    QCOMPARE(program.random.draws(), 0);
    QCOMPARE(program.sound.played,
             QStringList{QCoreApplication::applicationDirPath() + QStringLiteral("/suoni/no.wav")});
}

void TestServices::soundPathsSitBesideTheExecutable()
{
    const QStringList paths = Modulo1::allSoundPaths();
    QCOMPARE(paths.size(), 5);
    QVERIFY(!Modulo1::programFolder().endsWith(QDir::separator()));
    // The build copies the sounds beside every executable it makes.
    for (const QString &path : paths)
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
}

void TestServices::aboutTextHasFourLines()
{
    const QStringList lines = Modulo1::aboutText().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[0].endsWith(QStringLiteral("  ")));
    QVERIFY(!lines[0].trimmed().isEmpty());
    QCOMPARE(lines[1], QStringLiteral(" ") + QString(23, QLatin1Char('-')) + QStringLiteral(" "));
    QCOMPARE(lines[1].size(), 25);
    QVERIFY(!lines[2].isEmpty());
    QVERIFY(lines[3].startsWith(QStringLiteral("mail: ")));
    QVERIFY(lines[3].size() > 6);
    QVERIFY(!Modulo1::aboutText().endsWith(QLatin1Char('\n')));
    QCOMPARE(Modulo1::aboutText().count(QLatin1Char('\n')), 3);
}

void TestServices::aboutBoxTitleAndText()
{
    TestProgram program;
    Modulo1::MostraInformazioni(program.dialogs, nullptr);
    QCOMPARE(program.dialogs.shown.size(), 1);
    QCOMPARE(program.dialogs.shown[0].title, QStringLiteral("Orivalo"));
    QCOMPARE(program.dialogs.shown[0].icon, Dialogs::Icon::Information);
    QCOMPARE(program.dialogs.shown[0].question, false);
    QCOMPARE(program.dialogs.shown[0].text, Modulo1::aboutText());
}

void TestServices::mainSeedsOnceAndShowsStartScreen()
{
    TestProgram program;
    Modulo1::AttendiAvanti = false;
    Modulo1::Main(program.services);
    QCOMPARE(program.random.seeds(), 1);
    QCOMPARE(program.openWindows(), QList<Finestra>{Finestra::FormAvvio});
    QVERIFY(Modulo1::AttendiAvanti);
}

void TestServices::fullScreenRunAndF11_data()
{
    QTest::addColumn<bool>("fullScreenRun");
    QTest::newRow("normal run") << false;
    QTest::newRow("--schermo-intero") << true;
}

void TestServices::fullScreenRunAndF11()
{
    QFETCH(bool, fullScreenRun);
    TestProgram program;
    program.windows.setFullScreen(fullScreenRun);
    for (Finestra window : {Finestra::FormAvvio, Finestra::FormMenu, Finestra::Form4}) {
        QWidget *shown = program.open(window);
        QCOMPARE(shown->isFullScreen(), fullScreenRun);
        // F11 switches every window in and out of full screen.
        QTest::keyClick(shown, Qt::Key_F11);
        QCOMPARE(shown->isFullScreen(), !fullScreenRun);
        QTest::keyClick(shown, Qt::Key_F11);
        QCOMPARE(shown->isFullScreen(), fullScreenRun);
        program.windows.close(window);
        TestProgram::settle();
    }
}

void TestServices::messageBoxTextFollowsTheWindowsScale_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<double>("growth");
    QTest::newRow("designed size") << 1.0 << 1.0;
    QTest::newRow("1.5 x") << 1.5 << 1.5;
    QTest::newRow("3 x: at most twice") << 3.0 << 2.0;
}

void TestServices::messageBoxTextFollowsTheWindowsScale()
{
    QFETCH(double, scale);
    QFETCH(double, growth);
    QWidget window;
    WindowScale::set(&window, scale);
    MessageBoxDialogs dialogs;
    double shown = 0;
    // Read from inside the box's own event loop, then answered.
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->font().pointSizeF();
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!dialogs.ask(&window, QStringLiteral("Orivalo"), Dialogs::Icon::Question,
                         QStringLiteral("Vuoi tornare al menù?")));
    QCOMPARE(shown, QApplication::font().pointSizeF() * growth);
}

void TestServices::registryKeepsOneInstance()
{
    TestProgram program;
    QWidget *first = program.open(Finestra::Form1);
    QVERIFY(first);
    QCOMPARE(program.windows.show(Finestra::Form1), first);
    program.windows.close(Finestra::Form1);
    QVERIFY(!program.windows.isOpen(Finestra::Form1));
    QPointer<QWidget> old(first);
    TestProgram::settle();
    QVERIFY(old.isNull());
    QWidget *second = program.open(Finestra::Form1);
    QVERIFY(second);
    QVERIFY(program.windows.isOpen(Finestra::Form1));
}

void TestServices::registryForgetsWindowClosedByWindowSystem()
{
    TestProgram program;
    QWidget *window = program.open(Finestra::Form2);
    window->close();
    QVERIFY(!program.windows.isOpen(Finestra::Form2));
    QVERIFY(program.windows.window(Finestra::Form2) == nullptr);
}

void TestServices::closingAClosedWindowDoesNothing()
{
    TestProgram program;
    program.open(Finestra::FormMenu);
    program.windows.close(Finestra::Form3);
    QCOMPARE(program.openWindows(), QList<Finestra>{Finestra::FormMenu});
}

void TestServices::effectPlayerSurvivesHostileFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("not a wave") << QByteArray("RIFF\x10\0\0\0WAVEgarbage-garbage", 28) << true;
}

void TestServices::effectPlayerSurvivesHostileFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, create);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("si1.wav"));
    if (create) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    EffectSoundPlayer player;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 3; ++i) {
        player.play(path);
        QCoreApplication::processEvents();
    }
    player.play(dir.filePath(QStringLiteral("no-such-folder/no.wav")));
    // Playing never waits for the sound.
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_MAIN(TestServices)
#include "tst_services.moc"
