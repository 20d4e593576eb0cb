#include "LazyAnswerLog.h"
#include "ResultsLibrary.h"
#include "ResultsTesting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ResultsTesting;

class TestResultsModule : public QObject
{
    Q_OBJECT

private slots:
    void withoutTheModule();
    void throughTheModule();
};

void TestResultsModule::withoutTheModule()
{
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("libtempiolo-risultati.so"));
    LazyAnswerLog log(folder.path(), QStringLiteral("pc1"), missing);
    // Not loaded, nor missed, before there is an answer to keep.
    QCOMPARE(log.problem(), QString());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("modulo dei risultati non caricato"));
    log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("LUGLIO")));
    QVERIFY2(log.problem().contains(QStringLiteral("libtempiolo-risultati.so")),
             qPrintable(log.problem()));

    ResultsLibrary library(missing);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("modulo dei risultati non caricato"));
    QString error;
    QVERIFY(!library.exportCsv(folder.path(), folder.filePath("esportati.csv"), {}, &error));
    QCOMPARE(error, log.problem());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

void TestResultsModule::throughTheModule()
{
    QTemporaryDir folder;
    {
        LazyAnswerLog log(folder.path(), QStringLiteral("pc1"),
                          QStringLiteral(TEMPIOLO_RESULTS_MODULE));
        QVERIFY(log.load());
        log.keep(answer(QStringLiteral("bimbo-1"), QStringLiteral("LUGLIO")));
        log.keep(answer(QStringLiteral("bimbo-2"), QStringLiteral("AGOSTO")));
        // Its end writes what is still queued.
    }
    ResultsLibrary library(QStringLiteral(TEMPIOLO_RESULTS_MODULE));
    const QString csv = folder.filePath(QStringLiteral("esportati.csv"));
    QString error;
    QVERIFY2(library.exportCsv(folder.path(), csv, {{"bimbo-1", "Niccolò"}}, &error),
             qPrintable(error));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Niccol\xC3\xB2;pc1;"));
    QVERIFY2(library.removeChild(folder.path(), QStringLiteral("bimbo-1"), &error),
             qPrintable(error));
    QList<KeptAnswer> answers;
    QVERIFY2(library.read(folder.path(), &answers, &error), qPrintable(error));
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers.first().child, QStringLiteral("bimbo-2"));
}

QTEST_GUILESS_MAIN(TestResultsModule)
#include "tst_results_module.moc"
