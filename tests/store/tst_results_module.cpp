#include "LazyAnswerLog.h"
#include "ResultsFolder.h"
#include "ResultsLibrary.h"
#include "ResultsTesting.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ResultsTesting;

class TestResultsModule : public QObject
{
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void throughTheModule();
};

void TestResultsModule::refused_data()
{
    QTest::addColumn<QString>("module"); // "" for a file that is not there
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << QString() << "Manca il modulo dei risultati";
    QTest::newRow("not a library") << "text"
                                   << "non è di questa versione";
    // A module of another interface, as a module of an older build would be.
    QTest::newRow("another interface")
        << QStringLiteral(TEMPIOLO_SOUND_MODULE) << "non è di questa versione";
}

void TestResultsModule::refused()
{
    QFETCH(QString, module);
    QFETCH(QString, problem);
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("libtempiolo-risultati.so"));
    if (module == QLatin1String("text")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a library");
    } else if (!module.isEmpty()) {
        path = module;
    }
    LazyAnswerLog log(folder.path(), QStringLiteral("pc1"), path);
    // Not loaded, nor missed, before there is an answer to keep.
    QCOMPARE(log.problem(), QString());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("modulo dei risultati non caricato"));
    // Play goes on: the answer is lost, and the teacher learns why.
    log.keep(answer(QStringLiteral("bimbo-1"), 7));
    QVERIFY(!log.loaded());
    QVERIFY2(log.problem().contains(problem) &&
                 log.problem().contains(QStringLiteral("non vengono salvate")),
             qPrintable(log.problem()));
    QCOMPARE(log.daysOf(QStringLiteral("bimbo-1"), QDate::currentDate()), QList<AnswerDay>());
    QCOMPARE(ResultsFolder::readAll(folder.path()).size(), 0);
}

void TestResultsModule::throughTheModule()
{
    QTemporaryDir folder;
    {
        LazyAnswerLog log(folder.path(), QStringLiteral("pc1"),
                          QStringLiteral(TEMPIOLO_RESULTS_MODULE));
        QVERIFY(log.load());
        QCOMPARE(log.problem(), QString());
        log.keep(answer(QStringLiteral("bimbo-1"), 6));
        log.keep(answer(QStringLiteral("bimbo-2"), 8));
        // Its end writes what is still queued.
    }
    const QList<KeptAnswer> answers = ResultsFolder::readAll(folder.path());
    QCOMPARE(answers.size(), 2);
    QCOMPARE(answers.first().given, 6);
    QCOMPARE(answers.first().computer, QStringLiteral("pc1"));
    // What the child answered before, read back through the module.
    LazyAnswerLog log(folder.path(), QStringLiteral("pc1"),
                      QStringLiteral(TEMPIOLO_RESULTS_MODULE));
    QVERIFY(log.load());
    const QList<AnswerDay> days = log.daysOf(QStringLiteral("bimbo-1"), QDate::currentDate());
    // LUGLIO put on GIUGNO's place: both missed, a row each.
    QCOMPARE(days.size(), 2);
    QCOMPARE((QSet<int>{days.at(0).asked, days.at(1).asked}), (QSet<int>{6, 7}));
    QCOMPARE(days.first().asked, days.first().given);
    QCOMPARE(days.first().allRight || days.last().allRight, false);
    QCOMPARE(days.first().day, QDate::currentDate());
}

QTEST_GUILESS_MAIN(TestResultsModule)
#include "tst_results_module.moc"
