#pragma once

#include "AnswerRows.h"
#include "ResultsPeriod.h"

#include <QDate>
#include <QFutureWatcher>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class CalendarMistakesModel;
class ClassList;
class ClassTableModel;
class ConfusionMapModel;
class Dialogs;
class DailyChartView;
class QComboBox;
class QLabel;
class QListView;
class QProgressBar;
class QStringListModel;
class ResultsTable;
class ReviewModel;
class ResultsAnalysis;

// "Risultati" in "La classe": the class at a glance (each child's share of
// right answers in each exercise, and the day they last played), and for
// the child chosen there their right and wrong answers day by day, the
// names they put on other names' places, and how they missed the
// calendar's days; for a period the teacher picks. Everything is in
// tables and lists a screen reader reads cell by cell. "Salva PDF" and
// "Stampa" make the report of one child or of the whole class. The files
// are read on a thread of its own, so the window never waits for them.
class ResultsTab : public QWidget
{
    Q_OBJECT

public:
    // What a read of the folder brings: the counts of the days asked for,
    // and the problems met (files that could not be read) in Italian.
    struct Read
    {
        AnswerSummary summary;
        // Every child's days for their review, read after the counts are shown.
        QList<AnswerDay> days;
        QStringList problems;
    };
    // Reads the folder, its counts (`days` false) or the children's days
    // up to `today`; run on a thread of its own. Tests pass their own.
    using Reader =
        std::function<Read(const QString &folder, const DayRange &range, QDate today, bool days)>;

    ResultsTab(const QString &folder, const ClassList &list, Dialogs &dialogs, Reader reader = {},
               QWidget *parent = nullptr);
    ~ResultsTab() override;

    // Reads every computer's file again, in the background, and shows it
    // when it is read; read() tells of it.
    void reload();
    bool isReading() const;
    // The day the periods count back from: today, unless a test says.
    void setToday(QDate today);

    void savePdf();
    void print();

signals:
    // The folder has been read and shown, with the problems met.
    void finishedReading(const QStringList &problems);

private:
    void readFinished();
    void readDays();
    void daysFinished();
    ResultsPeriod period() const;
    void showClass();
    void showChild();
    QString selectedChild() const;
    QList<struct Child> reportChildren() const;

    const QString folder_;
    const ClassList &list_;
    Dialogs &dialogs_;
    const Reader reader_;
    QDate today_;
    std::unique_ptr<ResultsAnalysis> analysis_;
    QFutureWatcher<Read> *watcher_ = nullptr;
    QFutureWatcher<Read> *daysWatcher_ = nullptr;
    bool again_ = false;
    QStringList problems_;

    QComboBox *period_;
    QComboBox *reportFor_;
    QProgressBar *busy_;
    ResultsTable *table_;
    ClassTableModel *classModel_;
    QLabel *childHeading_;
    QComboBox *chartExercise_;
    DailyChartView *chart_;
    ResultsTable *months_;
    ResultsTable *days_;
    ConfusionMapModel *monthsModel_;
    ConfusionMapModel *daysModel_;
    QListView *pairs_;
    QStringListModel *pairsModel_;
    ResultsTable *calendar_;
    CalendarMistakesModel *calendarModel_;
    ResultsTable *review_;
    ReviewModel *reviewModel_;
};
