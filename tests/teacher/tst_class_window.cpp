#include "ClassList.h"
#include "ClassWindow.h"
#include "Language.h"
#include "SchoolServer.h"
#include "ScriptedDialogs.h"
#include "ServerLink.h"
#include "SqlConnection.h"
#include "SqliteAnswerLog.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

// Every byte of every file the program keeps in the folder.
QByteArray everyByte(const QString &folder)
{
    QByteArray all;
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly))
            all += file.readAll();
    }
    return all;
}

// A card of "Riordina i mesi (1)" put on a place: months 1 to 12.
void keep(SqliteAnswerLog &log, const QString &child, int asked, int given,
          const QString &route = QStringLiteral("tocco"))
{
    KeptAnswer answer;
    answer.when = QDateTime::currentDateTime();
    answer.child = child;
    answer.computer = QStringLiteral("pc");
    answer.exercise = QStringLiteral("riordina-mesi-1");
    answer.language = QStringLiteral("it");
    answer.asked = asked;
    answer.given = given;
    answer.right = asked == given;
    answer.route = route;
    answer.seconds = 3;
    log.keep(answer);
}

} // namespace

class TestClassWindow : public QObject
{
    Q_OBJECT

private slots:
    void addingAName_data();
    void addingAName();
    void removal_data();
    void removal();
    void problemsAreTold();
    void resultsOfARound();
    void answersWhileItReads();
    void onTheSchoolServer();
};

void TestClassWindow::addingAName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("children");
    QTest::addColumn<bool>("refused");
    QTest::newRow("a new name") << "Niccolò" << 2 << false;
    QTest::newRow("taken, another case") << "marco" << 1 << true;
}

void TestClassWindow::addingAName()
{
    QFETCH(QString, typed);
    QFETCH(int, children);
    QFETCH(bool, refused);
    QTemporaryDir folder;
    ClassList(folder.path()).add(QStringLiteral("Marco"));
    ScriptedDialogs dialogs;
    ClassWindow window(folder.path(), dialogs);
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("nuovoNome"));
    // Typed and Enter, as the teacher does.
    name->insert(typed);
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(window.findChild<QListWidget *>(QStringLiteral("bambini"))->count(), children);
    QCOMPARE(ClassList(folder.path()).children().size(), children);
    // A refusal is said in a box, so it is heard; the name stays to be corrected.
    QCOMPARE(dialogs.shown.size(), int(refused));
    QCOMPARE(name->text().isEmpty(), !refused);
}

void TestClassWindow::removal_data()
{
    QTest::addColumn<bool>("yes");
    // A results file set aside as damaged, which cannot be opened to clean.
    QTest::addColumn<bool>("damaged");
    QTest::newRow("answered Sì") << true << false;
    QTest::newRow("answered No") << false << false;
    QTest::newRow("Sì, beside a damaged file") << true << true;
}

void TestClassWindow::removal()
{
    QFETCH(bool, yes);
    QFETCH(bool, damaged);
    QTemporaryDir folder;
    ClassList(folder.path()).add(QStringLiteral("Anna"));
    const QString zebedeo = ClassList(folder.path()).add(QStringLiteral("Zebedeo Quintilio")).id;
    {
        // Their answers, with a route no one else took.
        SqliteAnswerLog log(folder.path(), QStringLiteral("pc1"));
        for (int i = 0; i < 40; ++i)
            keep(log, zebedeo, 7, 9, QStringLiteral("SETTEMBREX"));
        QVERIFY(log.flush());
    }
    const QString aside = QStringLiteral("risultati-pc2.danneggiato-2026-12-09.sqlite");
    if (damaged) {
        QFile file(folder.filePath(aside));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x5a'));
    }
    ScriptedDialogs dialogs;
    dialogs.setNextAnswer(yes);
    ClassWindow window(folder.path(), dialogs);
    auto *list = window.findChild<QListWidget *>(QStringLiteral("bambini"));
    list->setCurrentRow(1);
    window.findChild<QPushButton *>(QStringLiteral("togli"))->click();
    QVERIFY(dialogs.shown.value(0).text.contains(QStringLiteral("Zebedeo Quintilio")));
    QCOMPARE(list->count(), yes ? 1 : 2);
    // Gone for good: no byte of the name, the id or their answers in any file.
    const QByteArray kept = everyByte(folder.path());
    for (const QByteArray &trace :
         {QByteArray("Zebedeo"), zebedeo.toUtf8(), QByteArray("SETTEMBREX")})
        QCOMPARE(kept.contains(trace), !yes);
    QVERIFY(kept.contains("Anna"));
    // The child still goes, and the teacher is told which file may hold answers.
    QCOMPARE(dialogs.shown.size() == 2 && dialogs.shown[1].text.contains(aside), damaged);
}

void TestClassWindow::problemsAreTold()
{
    QTemporaryDir folder;
    ClassList(folder.path()).add(QStringLiteral("Anna"));
    QFile aside(folder.filePath(QStringLiteral("risultati-pc1.danneggiato-2026-12-09.sqlite")));
    QVERIFY(aside.open(QIODevice::WriteOnly));
    aside.close();
    {
        // A computer's file of a newer build, left untouched.
        SqliteAnswerLog log(folder.path(), QStringLiteral("pc3"));
        keep(log, QStringLiteral("bimbo"), 7, 7);
        QVERIFY(log.flush());
    }
    const QString newer = folder.filePath(QStringLiteral("risultati-pc3.sqlite"));
    {
        SqlConnection file(newer, QString());
        QVERIFY(file.value(QStringLiteral("PRAGMA journal_mode=DELETE")).isValid());
        QVERIFY(file.value(QStringLiteral("PRAGMA user_version = 9")).isValid());
    }
    const auto bytesOf = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytesOf(newer);
    QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    ScriptedDialogs dialogs;
    ClassWindow window(folder.path(), dialogs);
    QTRY_VERIFY(!window.results()->isReading());
    const QString told = window.findChild<QLabel *>(QStringLiteral("problemi"))->text();
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY2(told.contains(QStringLiteral("risultati-pc1.danneggiato-2026-12-09.sqlite")),
             qPrintable(told));
    QVERIFY2(told.contains(QStringLiteral("Il file risultati-pc3.sqlite è di una versione più "
                                          "recente di Tempiolo.")),
             qPrintable(told));
    QCOMPARE(bytesOf(newer), before);
    // Root writes anywhere: the folder's rule is only seen by other users.
    if (getuid() != 0)
        QVERIFY2(told.contains(QStringLiteral("non si può scrivere")), qPrintable(told));
}

void TestClassWindow::resultsOfARound()
{
    QTemporaryDir folder;
    const QString anna = ClassList(folder.path()).add(QStringLiteral("Anna")).id;
    {
        // A round of "Riordina i mesi (1)" with one wrong drop, on two computers.
        SqliteAnswerLog here(folder.path(), QStringLiteral("pc1"));
        SqliteAnswerLog there(folder.path(), QStringLiteral("pc2"));
        keep(here, anna, 7, 6);
        const QStringList &months = Language::italian().monthsUpper;
        for (int m = 0; m < months.size(); ++m)
            keep(m % 2 ? here : there, anna, m + 1, m + 1);
        QVERIFY(here.flush() && there.flush());
    }
    ScriptedDialogs dialogs;
    ClassWindow window(folder.path(), dialogs);
    QTRY_VERIFY(!window.results()->isReading());
    const QAbstractItemModel *table =
        window.findChild<QTableView *>(QStringLiteral("La classe in sintesi"))->model();
    QCOMPARE(table->headerData(0, Qt::Vertical).toString(), QStringLiteral("Anna"));
    // Both computers' answers are one child's: 12 right of 13.
    QCOMPARE(table->index(0, 0).data().toString(), QStringLiteral("92 % (13)"));
    QCOMPARE(table->index(0, 0).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Anna, Riordina i mesi (1): 12 esatte su 13, 92 per cento"));
    const QAbstractItemModel *pairs =
        window.findChild<QListView *>(QStringLiteral("scambi"))->model();
    QCOMPARE(pairs->index(0, 0).data().toString(),
             QStringLiteral("LUGLIO messo al posto di GIUGNO: 1 volta"));
    // The pair confused is to be reviewed from tomorrow; each cell a sentence.
    QCOMPARE(table->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Ripasso"));
    QCOMPARE(table->index(0, 8).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Anna, ripasso: 0 sicuri su 2"));
    QCOMPARE(table->index(0, 9).data().toString(),
             QDate::currentDate().addDays(1).toString(QStringLiteral("d/M/yyyy")));
    const QAbstractItemModel *review =
        window.findChild<QTableView *>(QStringLiteral("Il ripasso"))->model();
    QCOMPARE(review->rowCount(), 3);
    QCOMPARE(review->index(0, 6).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("LUGLIO: da ripassare"));
    QCOMPARE(review->index(0, 6).data().toString(), QStringLiteral("LUG\nda ripassare"));
    QCOMPARE(review->index(0, 2).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("MARZO: nuovo"));
    QCOMPARE(review->index(1, 0).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("lunedì: nuovo"));
    QCOMPARE(review->index(2, 6).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("calendario, LUGLIO: nuovo"));

    // The report, saved where the teacher types it.
    const QString pdf = folder.filePath(QStringLiteral("rapporto"));
    dialogs.setNextFile(pdf);
    window.findChild<QPushButton *>(QStringLiteral("salvaPdf"))->click();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf + QStringLiteral(".pdf"), QStringLiteral("-")});
    QVERIFY(text.waitForFinished());
    const QString read = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(read.contains(QStringLiteral("Anna")) &&
                 read.contains(QStringLiteral("LUGLIO messo al posto di GIUGNO: 1 volta")) &&
                 read.contains(QStringLiteral("Mesi: da ripassare GIUGNO, LUGLIO")) &&
                 read.contains(QStringLiteral("Sicuri: 0 sicuri su 2.")),
             qPrintable(read));
}

// The files of a network folder may take long to read: the window goes on
// answering meanwhile, and shows the results once they are read.
void TestClassWindow::answersWhileItReads()
{
    QTemporaryDir folder;
    const QString anna = ClassList(folder.path()).add(QStringLiteral("Anna")).id;
    QSemaphore slow;
    ResultsTab::Reader reader = [&](const QString &, const DayRange &, QDate today, bool days) {
        ResultsTab::Read read;
        // The reviews come after the counts: LUGLIO put on GIUGNO's place yesterday.
        if (days) {
            read.days.append({anna, Items::Months, 7, 6, today.addDays(-1), false});
            return read;
        }
        slow.acquire();
        read.summary.tallies.append(
            {anna, QStringLiteral("riordina-mesi-1"), QDate::currentDate(), 3, 4});
        read.summary.lastPlayed.insert(anna, QDate::currentDate());
        return read;
    };
    ScriptedDialogs dialogs;
    ClassWindow window(folder.path(), dialogs, reader);
    window.show();
    auto *busy = window.findChild<QProgressBar *>(QStringLiteral("lettura"));
    QVERIFY(window.results()->isReading());
    QVERIFY(!busy->isHidden());
    // The teacher adds a child while the results are read.
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("nuovoNome"));
    QTest::keyClicks(name, QStringLiteral("Bruno"));
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(window.findChild<QListWidget *>(QStringLiteral("bambini"))->count(), 2);
    QVERIFY(window.results()->isReading());
    // Both reads (the opening's and the change's) let go: one after the other.
    slow.release(2);
    QTRY_VERIFY(!window.results()->isReading());
    QVERIFY(busy->isHidden());
    const QAbstractItemModel *table =
        window.findChild<QTableView *>(QStringLiteral("La classe in sintesi"))->model();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->index(0, 0).data().toString(), QStringLiteral("75 % (4)"));
    QCOMPARE(table->index(0, 8).data().toString(), QStringLiteral("0 sicuri su 2"));
    QCOMPARE(table->index(0, 9).data().toString(), QStringLiteral("oggi"));
}

// With the teacher's service, the class is kept on the school's server too,
// under the name the teacher gives it, and its results come from there.
void TestClassWindow::onTheSchoolServer()
{
    if (!SchoolServer::missing().isEmpty())
        QSKIP(qPrintable(SchoolServer::missing()));
    SchoolServer server;
    QVERIFY2(server.start(), qPrintable(server.problem()));
    QProcess prepare;
    prepare.start(QStringLiteral(TEMPIOLO_TEACHER_PROGRAM), {QStringLiteral("--prepara-server")});
    QVERIFY(prepare.waitForFinished(60000));
    QCOMPARE(prepare.exitCode(), 0);
    QTemporaryDir folder;
    ClassList(folder.path()).add(QStringLiteral("Marco"));
    ScriptedDialogs dialogs;
    ClassWindow window(folder.path(), dialogs);
    QVERIFY(window.server());
    const auto onServer = [&] {
        return server.psql(QStringLiteral("SELECT string_agg(k.name || ':' || c.name, ','"
                                          " ORDER BY c.name) FROM children c"
                                          " JOIN classes k ON k.id = c.class_id"));
    };
    // Under a name of its own until the teacher gives one.
    QTRY_COMPARE_WITH_TIMEOUT(onServer(), QStringLiteral("Classe:Marco"), 20000);
    auto *name = window.findChild<QComboBox *>(QStringLiteral("classeServer"));
    const auto type = [&](const QString &text) {
        name->lineEdit()->selectAll();
        QTest::keyClicks(name->lineEdit(), text);
    };
    const auto add = [&](const QString &child) {
        auto *newName = window.findChild<QLineEdit *>(QStringLiteral("nuovoNome"));
        newName->insert(child);
        QTest::keyClick(newName, Qt::Key_Return);
    };
    const auto shown = [&] {
        QStringList names;
        for (const Child &child : window.classList().children())
            names << child.name;
        return names.join(u',');
    };
    // A name the server does not have names this class.
    type(QStringLiteral("  3B "));
    QTest::keyClick(name->lineEdit(), Qt::Key_Return);
    // The children go with the name: the same ids, the same answers.
    QTRY_COMPARE_WITH_TIMEOUT(onServer(), QStringLiteral("3B:Marco"), 20000);
    add(QStringLiteral("Anna"));
    QTRY_COMPARE_WITH_TIMEOUT(onServer(), QStringLiteral("3B:Anna,3B:Marco"), 20000);
    // Taken away here, gone there.
    dialogs.setNextAnswer(true);
    auto *children = window.findChild<QListWidget *>(QStringLiteral("bambini"));
    children->setCurrentItem(
        children->findItems(QStringLiteral("Marco"), Qt::MatchExactly).first());
    window.removeChild();
    QTRY_COMPARE_WITH_TIMEOUT(onServer(), QStringLiteral("3B:Anna"), 20000);
    // A second class, new and empty; 3B stays as it is.
    type(QStringLiteral("4A"));
    dialogs.setNextAnswer(true);
    window.findChild<QPushButton *>(QStringLiteral("nuovaClasse"))->click();
    QCOMPARE(shown(), QString());
    add(QStringLiteral("Luca"));
    QTRY_COMPARE_WITH_TIMEOUT(onServer(), QStringLiteral("3B:Anna,4A:Luca"), 20000);
    // Back to 3B: its children are here again, and nothing moved there.
    type(QStringLiteral("3B"));
    dialogs.setNextAnswer(true);
    window.findChild<QPushButton *>(QStringLiteral("usaClasse"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(shown(), QStringLiteral("Anna"), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(name->count(), 2, 20000);
    QCOMPARE(onServer(), QStringLiteral("3B:Anna,4A:Luca"));
    // The results were read from the server, and the window says when.
    auto *state = window.findChild<QLabel *>(QStringLiteral("statoServer"));
    QTRY_VERIFY_WITH_TIMEOUT(state->text().startsWith(QStringLiteral("Risultati letti dal server")),
                             20000);
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("problemi"))->text(), QString());
    // Remembered for the next time.
    QCOMPARE(ServerLink(folder.path(), window.classList()).className(), QStringLiteral("3B"));
}

QTEST_MAIN(TestClassWindow)
#include "tst_class_window.moc"
