#pragma once

#include "AnswerRows.h"

#include <QDate>
#include <QList>
#include <QWidget>

#include <memory>

class ClassList;
class Dialogs;
class DailyChartView;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class ResultsTable;
class ResultsAnalysis;

// "Risultati" in "La classe": the class at a glance (each child's share of
// right answers in each exercise, and the day they last played), and for
// the child chosen there their right and wrong answers day by day, the
// names they put on other names' places, and how they missed the
// calendar's days; for a period the teacher picks. Everything is in
// tables and lists a screen reader reads cell by cell. "Salva PDF" and
// "Stampa" make the report of one child or of the whole class.
class ResultsTab : public QWidget
{
    Q_OBJECT

public:
    ResultsTab(const QString &folder, const ClassList &list, Dialogs &dialogs,
               QWidget *parent = nullptr);
    ~ResultsTab() override;

    // Reads every computer's file again and shows it; the problems met
    // (files that could not be read) in Italian.
    QStringList reload();
    // The day the periods count back from: today, unless a test says.
    void setToday(QDate today);

    void savePdf();
    void print();

private:
    void analyse();
    void showClass();
    void showChild();
    QString selectedChild() const;
    QList<struct Child> reportChildren() const;

    const QString folder_;
    const ClassList &list_;
    Dialogs &dialogs_;
    QDate today_;
    AnswerSummary summary_;
    std::unique_ptr<ResultsAnalysis> analysis_;

    QComboBox *period_;
    QComboBox *reportFor_;
    QTableWidget *table_;
    QLabel *childHeading_;
    QComboBox *chartExercise_;
    DailyChartView *chart_;
    ResultsTable *months_;
    ResultsTable *days_;
    QListWidget *pairs_;
    QTableWidget *calendar_;
};
