// What La classe costs on the school's server: a real PostgreSQL started
// here, holding 20 classes of 25 children (500 in all), the class read with
// 10,000 answers a child over a year and the other classes 1,000 a child.
// Built and run by `make bench`:
//   QT_QPA_PLATFORM=offscreen build/tests/bench_server_class
#include "ClassList.h"
#include "ClassWindow.h"
#include "ResultsTab.h"
#include "SchoolServer.h"
#include "ScriptedDialogs.h"
#include "ServerConnection.h"
#include "ServerLink.h"
#include "ServerSchema.h"
#include "ServiceFile.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int classes = 20;
constexpr int perClass = 25;

// A year of answers of every child of a class, `each` a child: months, days
// and dates, four in five right, from three computers.
QString answersOf(const QString &className, int each)
{
    return QStringLiteral(
               "INSERT INTO answers (uuid, answered_at, utc_offset, child, computer, exercise,"
               " language, items, asked, given, round, is_right, route, seconds)"
               " SELECT gen_random_uuid()::text,"
               " (extract(epoch FROM now()) * 1000)::bigint - g::bigint * (31536000000 / %2),"
               " 3600, c.id, 'aula-' || (g % 3), (ARRAY['riordina-mesi-1', 'riordina-mesi-2',"
               " 'ciclo-mesi', 'riordina-giorni-1', 'riordina-giorni-2', 'ciclo-giorni',"
               " 'calendario'])[1 + g % 7], 'it',"
               " CASE WHEN g % 7 < 3 THEN 'mesi' WHEN g % 7 < 6 THEN 'giorni' ELSE 'date' END,"
               " CASE WHEN g % 7 < 3 THEN 1 + g % 12 WHEN g % 7 < 6 THEN 1 + g % 7"
               "  ELSE to_char(date '2026-01-01' + g % 300, 'YYYYMMDD')::int END,"
               " CASE WHEN g % 5 <> 0 THEN"
               "  CASE WHEN g % 7 < 3 THEN 1 + g % 12 WHEN g % 7 < 6 THEN 1 + g % 7"
               "  ELSE to_char(date '2026-01-01' + g % 300, 'YYYYMMDD')::int END"
               "  ELSE CASE WHEN g % 7 < 3 THEN 1 + (g + 1) % 12 WHEN g % 7 < 6 THEN 1 + (g + 1) % "
               "7"
               "  ELSE to_char(date '2026-01-01' + g % 300 + 1, 'YYYYMMDD')::int END END,"
               " NULL, CASE WHEN g % 5 <> 0 THEN 1 ELSE 0 END, 'tocco', 2.5"
               " FROM children c JOIN classes k ON k.id = c.class_id"
               " CROSS JOIN generate_series(1, %2) g WHERE k.name = '%1'")
        .arg(className)
        .arg(each);
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
    SchoolServer server;
    if (!server.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.problem()));
        return 1;
    }
    {
        ServerConnection owner(ServiceFile::owner);
        int found = 0;
        QSqlError error;
        if (!owner.open(false) ||
            ServerSchema::prepare(owner.db(), &found, &error) != ServerSchema::Outcome::Made) {
            std::fprintf(stderr, "%s %s\n", qPrintable(owner.reason()), qPrintable(error.text()));
            return 1;
        }
    }
    // The class the teacher reads, made here as La classe makes it.
    QTemporaryDir folder;
    {
        ClassList list(folder.path());
        for (int i = 0; i < perClass; ++i)
            list.add(QStringLiteral("Bambino %1").arg(i + 1));
    }
    ServerLink(folder.path(), ClassList(folder.path())).setClassName(QStringLiteral("3B"));
    QString sql = QStringLiteral("INSERT INTO classes (name) VALUES ('3B');");
    for (int k = 1; k < classes; ++k) {
        sql += QStringLiteral("INSERT INTO classes (name) VALUES ('altra-%1');"
                              "INSERT INTO children (uuid, class_id, name)"
                              " SELECT gen_random_uuid()::text, currval('classes_id_seq'),"
                              " 'Bimbo ' || n FROM generate_series(1, %2) n;")
                   .arg(k)
                   .arg(perClass);
    }
    const ClassList list(folder.path());
    for (const Child &child : list.children())
        sql += QStringLiteral("INSERT INTO children (uuid, class_id, name, picture) SELECT '%1',"
                              " id, '%2', '%3' FROM classes WHERE name = '3B';")
                   .arg(child.id, child.name, child.picture);
    for (int k = 1; k < classes; ++k)
        sql += answersOf(QStringLiteral("altra-%1").arg(k), 1000) + u';';
    sql += answersOf(QStringLiteral("3B"), 10000) + QStringLiteral("; ANALYZE; SELECT count(*)"
                                                                   " FROM answers");
    QElapsedTimer filling;
    filling.start();
    const QString total = server.psql(sql);
    if (total.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.problem().right(600)));
        return 1;
    }
    std::fprintf(stderr, "%s answers of %d children made in %.1f s\n", qPrintable(total),
                 classes * perClass, filling.elapsed() / 1000.0);

    // BENCH_SLOW=ms: the statements slower than that, from the server's log.
    const QByteArray slow = qgetenv("BENCH_SLOW");
    if (!slow.isEmpty()) {
        server.psql(QStringLiteral("ALTER SYSTEM SET log_min_duration_statement = %1")
                        .arg(QString::fromLatin1(slow)));
        server.psql(QStringLiteral("SELECT pg_reload_conf()"));
    }
    std::vector<double> shownRuns;
    std::vector<double> openRuns;
    for (int run = 0; run < 3; ++run) {
        ScriptedDialogs dialogs;
        QElapsedTimer timer;
        timer.start();
        ClassWindow window(folder.path(), dialogs);
        window.show();
        bool shown = false;
        QObject::connect(window.results(), &ResultsTab::finishedReading, &window,
                         [&](const QStringList &problems) {
                             if (!problems.isEmpty())
                                 std::fprintf(stderr, "%s\n", qPrintable(problems.join(u' ')));
                             shown = true;
                         });
        while (!shown)
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
    if (!slow.isEmpty())
        std::fprintf(stderr, "%s\n", server.log().constData());
    return 0;
}
