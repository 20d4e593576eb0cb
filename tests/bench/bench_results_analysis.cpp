// What a class's year of answers costs the teacher's program: reading the
// files, the analysis behind "La classe" for each period, opening "La
// classe" itself, and the printed report of one child and of the whole
// class. 25 children, 10,000 answers each, over three computers' files.
// Built and run by `make bench`:
//   QT_QPA_PLATFORM=offscreen build/tests/bench_results_analysis [data folder to keep]
#include "AnswerWords.h"
#include "ChildPictures.h"
#include "ClassWindow.h"
#include "Language.h"
#include "ReportWriter.h"
#include "ResultsAnalysis.h"
#include "ResultsFolder.h"
#include "ResultsTesting.h"
#include "ReviewSchedule.h"
#include "ScriptedDialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int children = 25;
constexpr int each = 10000;

QString childId(int n)
{
    return QStringLiteral("5b0b4f3e-0000-4000-8000-%1").arg(n, 12, 10, QLatin1Char('0'));
}

// A child's answer as children give them: most right, the wrong ones mostly
// a neighbour's name or day, a few in English.
KeptAnswer madeUp(QRandomGenerator &random, int child, const QDateTime &when)
{
    const QStringList exercises = AnswerWords::menuExercises();
    KeptAnswer kept = ResultsTesting::answer(childId(child), 0, when);
    kept.exercise = exercises.at(random.bounded(int(exercises.size())));
    kept.language = random.bounded(10) == 0 ? QStringLiteral("en") : QStringLiteral("it");
    const Language &language = Language::of(kept.language);
    // From 60 % to 96 % right, a child's own.
    const bool right = random.bounded(100) < 60 + (child * 37) % 37;
    if (kept.exercise == AnswerWords::calendarExercise()) {
        const QDate asked = QDate(2000, 1, 1).addDays(random.bounded(3 * 365));
        QDate given = asked;
        if (!right) {
            switch (random.bounded(5)) {
            case 0:
                given = asked.addDays(random.bounded(2) ? 1 : -1);
                break;
            case 1:
                given = asked.addMonths(1 + random.bounded(3));
                break;
            case 2:
                given = asked.addDays(2 + random.bounded(10));
                break;
            case 3:
                given = asked.addYears(1);
                break;
            default:
                given = asked.addDays(40 + random.bounded(300));
            }
        }
        kept.items = Items::Dates;
        kept.asked = dateNumber(asked);
        kept.given = dateNumber(given);
        kept.right = right;
        return kept;
    }
    const bool months = kept.exercise.contains(QLatin1String("mesi"));
    kept.round = QUuid::createUuid();
    const QStringList &names = months ? language.monthsUpper : language.daysOrdering;
    const int asked = random.bounded(int(names.size()));
    int given = asked;
    if (!right) {
        const int step = random.bounded(4) ? 1 : 2 + random.bounded(int(names.size()) - 3);
        given = (asked + (random.bounded(2) ? step : int(names.size()) - step)) % int(names.size());
    }
    kept.items = months ? Items::Months : Items::Days;
    kept.asked = asked + 1;
    kept.given = given + 1;
    kept.right = asked == given;
    return kept;
}

// The class list of the made-up children, as "La classe" writes it.
void writeClass(const QString &folder)
{
    const QStringList names{QStringLiteral("Niccolò Bianchi"), QStringLiteral("Giulia"),
                            QStringLiteral("Marco"),           QStringLiteral("Sofia"),
                            QStringLiteral("Leonardo"),        QStringLiteral("Aurora"),
                            QStringLiteral("Francesco"),       QStringLiteral("Ginevra"),
                            QStringLiteral("Lorenzo"),         QStringLiteral("Alice"),
                            QStringLiteral("Mattia"),          QStringLiteral("Beatrice"),
                            QStringLiteral("Tommaso"),         QStringLiteral("Emma"),
                            QStringLiteral("Riccardo"),        QStringLiteral("Vittoria"),
                            QStringLiteral("Edoardo"),         QStringLiteral("Chiara"),
                            QStringLiteral("Gabriele"),        QStringLiteral("Martina"),
                            QStringLiteral("Andrea"),          QStringLiteral("Anna"),
                            QStringLiteral("Pietro"),          QStringLiteral("Greta"),
                            QStringLiteral("Davide")};
    QJsonArray list;
    for (int n = 0; n < children; ++n)
        list.append(QJsonObject{{QStringLiteral("id"), childId(n)},
                                {QStringLiteral("name"), names.value(n)},
                                {QStringLiteral("picture"), ChildPictures::all().at(n).key}});
    QFile file(QDir(folder).filePath(QStringLiteral("classe.json")));
    if (file.open(QIODevice::WriteOnly))
        file.write(QJsonDocument(QJsonObject{{QStringLiteral("format"), 1},
                                             {QStringLiteral("children"), list}})
                       .toJson());
}

double medianMs(std::vector<double> runs)
{
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString kept = app.arguments().value(1);
    QTemporaryDir temporary;
    const QString folder = kept.isEmpty() ? temporary.path() : kept;
    QDir().mkpath(folder);
    const QDate today = QDate::currentDate();
    // A year up to this morning, about one answer every two minutes.
    const QDateTime start(today.addDays(-365), QTime(8, 30));
    QRandomGenerator random(20261209);
    const QStringList hosts = {QStringLiteral("pc1"), QStringLiteral("pc2"), QStringLiteral("pc3")};
    QList<QList<KeptAnswer>> perHost(hosts.size());
    for (int n = 0; n < children * each; ++n) {
        const qint64 minute = qint64(n) * 365 * 24 * 60 / (children * each);
        const QDateTime when = start.addSecs(minute * 60 + random.bounded(60));
        perHost[n % hosts.size()].append(madeUp(random, n % children, when));
    }
    for (int h = 0; h < hosts.size(); ++h)
        ResultsTesting::fill(folder, hosts.at(h), perHost.at(h));
    perHost.clear();
    writeClass(folder);

    // What the teacher's program asks of the files: the counts of a
    // period, each file asked in SQL, then the analysis of those counts.
    AnswerSummary lastMonth;
    for (const ResultsPeriod::Span span : ResultsPeriod::spans()) {
        const ResultsPeriod period(span, today);
        std::vector<double> reads;
        std::vector<double> analyses;
        int counted = 0;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer timer;
            timer.start();
            const AnswerSummary summary = ResultsFolder::summarise(folder, period.range());
            reads.push_back(double(timer.nsecsElapsed()) / 1e6);
            timer.restart();
            const ResultsAnalysis analysis(summary, period);
            analyses.push_back(double(timer.nsecsElapsed()) / 1e6);
            counted = analysis.total().answers;
            if (span == ResultsPeriod::LastMonth)
                lastMonth = summary;
        }
        std::printf("%-44s %8.1f ms  (%d answers in the period)\n",
                    qPrintable(QStringLiteral("counting, %1 (median of 5)").arg(period.name())),
                    medianMs(reads), counted);
        std::printf("%-44s %8.1f ms\n",
                    qPrintable(QStringLiteral("analysis, %1 (median of 5)").arg(period.name())),
                    medianMs(analyses));
    }
    {
        QElapsedTimer timer;
        timer.start();
        const QList<KeptAnswer> answers = ResultsFolder::readAll(folder);
        std::printf("%-44s %8.1f ms  (%lld answers of %d children in %lld files)\n",
                    "reading every answer, merged (the export)", double(timer.nsecsElapsed()) / 1e6,
                    qlonglong(answers.size()), children, qlonglong(hosts.size()));
    }

    // What is due for a child, as the children's program works it out
    // when the child is picked: their year of answers over the three files.
    {
        std::vector<double> runs;
        int due = 0;
        qsizetype days = 0;
        for (int run = 0; run < 11; ++run) {
            QElapsedTimer timer;
            timer.start();
            const QList<AnswerDay> history = ResultsFolder::daysOf(folder, childId(7), today);
            const ReviewSchedule schedule(history, today);
            runs.push_back(double(timer.nsecsElapsed()) / 1e6);
            due = int(schedule.due().size());
            days = history.size();
        }
        std::printf("%-44s %8.1f ms  (%lld rows, %d items due)\n",
                    "what is due for one child (median of 11)", medianMs(runs), qlonglong(days),
                    due);
    }

    {
        QElapsedTimer timer;
        timer.start();
        const QList<AnswerDay> days = ResultsFolder::daysOfAll(folder, today);
        const double readMs = double(timer.nsecsElapsed()) / 1e6;
        timer.restart();
        ResultsAnalysis analysis(lastMonth, ResultsPeriod(ResultsPeriod::LastMonth, today));
        analysis.setReviews(days);
        std::printf("%-44s %8.1f ms  (then %.1f ms to work them out)\n",
                    "reading every child's review days", readMs,
                    double(timer.nsecsElapsed()) / 1e6);
    }

    // "La classe" opened, read, analysed, laid out and painted, as the
    // teacher waits for it.
    std::vector<double> shownRuns;
    std::vector<double> openRuns;
    for (int run = 0; run < 3; ++run) {
        ScriptedDialogs dialogs;
        QElapsedTimer timer;
        timer.start();
        ClassWindow window(folder, dialogs);
        window.show();
        const auto *table =
            window.findChild<QAbstractItemView *>(QStringLiteral("La classe in sintesi"));
        while (table->model()->rowCount() == 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        window.repaint();
        shownRuns.push_back(double(timer.nsecsElapsed()) / 1e6);
        while (window.results()->isReading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        window.repaint();
        QCoreApplication::processEvents();
        openRuns.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("%-44s %8.1f ms\n", "opening La classe, its counts shown (median of 3)",
                medianMs(shownRuns));
    std::printf("%-44s %8.1f ms\n", "opening La classe, all of it (median of 3)",
                medianMs(openRuns));

    const ResultsAnalysis analysis(lastMonth, ResultsPeriod(ResultsPeriod::LastMonth, today));
    QList<Child> all;
    for (int n = 0; n < children; ++n)
        all.append({childId(n), QStringLiteral("Bambino %1").arg(n + 1), {}});
    const QString out = folder;
    QDir().mkpath(out);
    ReportWriter writer(analysis);
    writer.setClassName(QStringLiteral("3ª B"));
    QString error;
    QElapsedTimer timer;
    timer.start();
    const bool one = writer.savePdf(QDir(out).filePath(QStringLiteral("bambino.pdf")),
                                    {{childId(3), QStringLiteral("Niccolò Bianchi"), {}}}, &error);
    const double oneMs = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    const bool whole =
        writer.savePdf(QDir(out).filePath(QStringLiteral("classe.pdf")), all, &error);
    const double wholeMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%-44s %8.1f ms\n", "report of one child, ultimo mese (PDF)", oneMs);
    std::printf("%-44s %8.1f ms\n", "report of the class, 25 pages (PDF)", wholeMs);
    if (!one || !whole)
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return one && whole ? 0 : 1;
}
