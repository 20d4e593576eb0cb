#include "CalendarQuestion.h"
#include "FormCalendario.h"
#include "Language.h"
#include "Modulo1.h"
#include "MonthCalendar.h"
#include "TestProgram.h"

#include "Narrator.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using Date = CalendarQuestion::Date;
Q_DECLARE_METATYPE(Date)

namespace {

const double top = ScriptedRandom::justBelowOne();

// The grid cell (row below the header, column from Monday) that shows `date`
// while the calendar shows its month: Qt always shows at least one day of the
// month before in the first row.
QPoint cellOf(const QDate &date)
{
    const QDate first(date.year(), date.month(), 1);
    int offset = first.dayOfWeek() - 1;
    if (offset < 1)
        offset += 7;
    const qint64 index = first.addDays(-offset).daysTo(date);
    return QPoint(int(index % 7), int(index / 7) + 1);
}

// A voice's list of clips: file name to the words said.
QHash<QString, QString> voiceList(const char *language)
{
    QFile list(QStringLiteral(TEMPIOLO_VOICES_DIR "/%1.tsv").arg(QLatin1String(language)));
    QHash<QString, QString> listed;
    if (list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString &line : QString::fromUtf8(list.readAll()).split(u'\n'))
            listed.insert(line.section(u'\t', 0, 0), line.section(u'\t', 1));
    }
    return listed;
}

struct Calendar
{
    explicit Calendar(FormCalendario *window) : window(window) {}
    FormCalendario *window;

    MonthCalendar *calendar() const { return window->findChild<MonthCalendar *>(); }
    QTableView *grid() const
    {
        return calendar()->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
    }
    QString question() const
    {
        return window->findChild<QAbstractButton *>(QStringLiteral("Label3"))->text();
    }
    QAction *action(const char *name) const
    {
        return window->findChild<QAction *>(QLatin1String(name));
    }
    QAbstractButton *avanti() const
    {
        return window->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti"));
    }
    // Turns the calendar to the date's month and clicks the day with the mouse.
    void clickDay(const QDate &date) const
    {
        calendar()->setCurrentPage(date.year(), date.month());
        auto *view =
            calendar()->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
        const QPoint cell = cellOf(date);
        const QRect rect = view->visualRect(view->model()->index(cell.y(), cell.x()));
        // The page turn is one of the child's actions, the click another.
        QCoreApplication::processEvents();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void clickDay(const Date &date) const { clickDay(QDate(date.year, date.month, date.day)); }
    // The sentence a screen reader was told last.
    QString heard() const { return window->findChild<Narrator *>()->saying(); }
    QAccessibleTableInterface *accessibleGrid() const
    {
        return QAccessible::queryAccessibleInterface(grid())->tableInterface();
    }
};

} // namespace

class TestCalendar : public QObject
{
    Q_OBJECT

private slots:
    void question_data();
    void question();
    void englishQuestion_data();
    void englishQuestion();
    void draw_data();
    void draw();
    void onlyExistingDaysAreAsked();
    void design();
    void dayClickJudgesTheDate_data();
    void dayClickJudgesTheDate();
    void clickEventOnlyForDays();
    void waitingModeCountsEverySecondRightClick();
    void automaticModeAsksTheNextDateAtOnce();
    void styleSwitchRewritesTheSameDate();
    void questionClickShowsTheMonth();
    void daysReadAsDates_data();
    void daysReadAsDates();
    void enterOnADayOutOfSightMovesOntoThePage();
    void reopeningAsksInWords();
};

void TestCalendar::question_data()
{
    QTest::addColumn<Date>("date");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("digits");
    // The clips the program's voice joins, in words whatever is shown.
    QTest::addColumn<QStringList>("spoken");
    QTest::newRow("5 March 2001") << Date{5, 3, 2001} << "trova il  5 Marzo  2001"
                                  << "trova il 05/03/2001"
                                  << QStringList{"trova-5", "marzo", "duemilauno"};
    QTest::newRow("1 January 2000")
        << Date{1, 1, 2000} << "trova il  1 Gennaio  2000"
        << "trova il 01/01/2000" << QStringList{"trova-1", "gennaio", "duemila"};
    QTest::newRow("31 December 2002")
        << Date{31, 12, 2002} << "trova il  31 Dicembre  2002"
        << "trova il 31/12/2002" << QStringList{"trova-31", "dicembre", "duemiladue"};
    QTest::newRow("28 February 2001")
        << Date{28, 2, 2001} << "trova il  28 Febbraio  2001"
        << "trova il 28/02/2001" << QStringList{"trova-28", "febbraio", "duemilauno"};
    QTest::newRow("10 October 2000")
        << Date{10, 10, 2000} << "trova il  10 Ottobre  2000"
        << "trova il 10/10/2000" << QStringList{"trova-10", "ottobre", "duemila"};
    QTest::newRow("8 August 2001")
        << Date{8, 8, 2001} << "trova il  8 Agosto  2001"
        << "trova il 08/08/2001" << QStringList{"trova-8", "agosto", "duemilauno"};
    QTest::newRow("11 November 2000")
        << Date{11, 11, 2000} << "trova il  11 Novembre  2000"
        << "trova il 11/11/2000" << QStringList{"trova-11", "novembre", "duemila"};
    QTest::newRow("24 January 2002")
        << Date{24, 1, 2002} << "trova il  24 Gennaio  2002"
        << "trova il 24/01/2002" << QStringList{"trova-24", "gennaio", "duemiladue"};
}

void TestCalendar::question()
{
    QFETCH(Date, date);
    QFETCH(QString, words);
    QFETCH(QString, digits);
    QFETCH(QStringList, spoken);
    CalendarQuestion question;
    question.CaricaMesi();
    question.setDataCercata(date);
    QCOMPARE(question.ScriviDomanda(false), words);
    QCOMPARE(question.ScriviDomanda(true), digits);
    QCOMPARE(question.spokenClips(), spoken);
    // Every clip is in the voice's list, which says the Italian the voice
    // needs: "trova il primo", "trova l'otto", "trova l'undici".
    const QHash<QString, QString> listed = voiceList("it");
    for (const QString &clip : spoken)
        QVERIFY2(listed.contains(clip), qPrintable(clip));
    const QHash<int, QString> grammar{{1, "trova il primo"},
                                      {8, "trova l'otto"},
                                      {11, "trova l'undici"},
                                      {24, "trova il ventiquattro"}};
    if (grammar.contains(date.day))
        QCOMPARE(listed.value(spoken.first()), grammar.value(date.day));
}

void TestCalendar::englishQuestion_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("spokenDay");
    // The ordinals English has: -st, -nd, -rd, and -th for the teens.
    const auto row = [](int day, const char *suffix, const char *spoken) {
        QTest::addRow("%d%s", day, suffix)
            << day << QStringLiteral("find %1%2 January 2001").arg(day).arg(QLatin1String(suffix))
            << QString::fromUtf8(spoken);
    };
    row(1, "st", "find the first of");
    row(2, "nd", "find the second of");
    row(3, "rd", "find the third of");
    row(11, "th", "find the eleventh of");
    row(12, "th", "find the twelfth of");
    row(13, "th", "find the thirteenth of");
    row(21, "st", "find the twenty-first of");
    row(22, "nd", "find the twenty-second of");
    row(23, "rd", "find the twenty-third of");
    row(31, "st", "find the thirty-first of");
}

void TestCalendar::englishQuestion()
{
    QFETCH(int, day);
    QFETCH(QString, words);
    QFETCH(QString, spokenDay);
    CalendarQuestion question(&Language::english());
    question.setDataCercata({qint16(day), 1, 2001});
    QCOMPARE(question.ScriviDomanda(false), words);
    // Day first, as in Britain.
    QCOMPARE(question.ScriviDomanda(true),
             QStringLiteral("find %1/01/2001").arg(day, 2, 10, QLatin1Char('0')));
    const QStringList clips = question.spokenClips();
    QCOMPARE(clips, (QStringList{QStringLiteral("find-%1").arg(day), "january", "2001"}));
    // The English voice's list says "find the twenty-fourth of January, two thousand and one".
    const QHash<QString, QString> listed = voiceList("en");
    QCOMPARE(listed.value(clips[0]), spokenDay);
    QCOMPARE(listed.value(clips[1]), QStringLiteral("January"));
    QCOMPARE(listed.value(clips[2]), QStringLiteral("two thousand and one"));
}

void TestCalendar::draw_data()
{
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<Date>("date");
    QTest::newRow("all 0") << QList<double>{0, 0, 0} << Date{1, 1, 2000};
    QTest::newRow("all just below 1") << QList<double>{top, top, top} << Date{31, 12, 2002};
    QTest::newRow("April has 30 days")
        << QList<double>{0.5, 3.0 / 12 + 1e-9, top} << Date{30, 4, 2001};
    QTest::newRow("February always 28, even in 2000")
        << QList<double>{0, 1.0 / 12 + 1e-9, top} << Date{28, 2, 2000};
    QTest::newRow("September") << QList<double>{top, 8.0 / 12 + 1e-9, top} << Date{30, 9, 2002};
    QTest::newRow("middle draws") << QList<double>{0.34, 0.5, 0.5} << Date{16, 7, 2001};
}

void TestCalendar::draw()
{
    QFETCH(QList<double>, draws);
    QFETCH(Date, date);
    ScriptedRandom random(draws);
    CalendarQuestion question;
    question.draw(random);
    QCOMPARE(random.draws(), 3);
    QCOMPARE(question.DataCercata().day, date.day);
    QCOMPARE(question.DataCercata().month, date.month);
    QCOMPARE(question.DataCercata().year, date.year);
}

void TestCalendar::onlyExistingDaysAreAsked()
{
    CalendarQuestion question;
    ScriptedRandom random;
    for (int month = 1; month <= 12; ++month) {
        random.script({0.0, (month - 1) / 12.0 + 1e-9, top});
        question.draw(random);
        QCOMPARE(int(question.DataCercata().month), month);
        const QDate last(2001, month, question.DataCercata().day);
        QVERIFY(last.isValid());
        QCOMPARE(last.day(), month == 2 ? 28 : last.daysInMonth());
    }
}

void TestCalendar::design()
{
    TestProgram program;
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    MonthCalendar *calendar = c.calendar();
    QCOMPARE(calendar->objectName(), QStringLiteral("Calendar1"));
    QCOMPARE(calendar->geometry(), QRect(64, 8, 297, 265));
    QCOMPARE(calendar->selectedDate(), QDate(2000, 8, 10));
    QCOMPARE(calendar->monthShown(), 8);
    QCOMPARE(calendar->yearShown(), 2000);
    QCOMPARE(calendar->verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
    QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
    QCOMPARE(calendar->locale().standaloneMonthName(8), QStringLiteral("agosto"));
    QVERIFY(calendar->minimumDate() <= QDate(2000, 1, 1));
    QVERIFY(calendar->maximumDate() >= QDate(2002, 12, 31));
    auto *label = c.window->findChild<QAbstractButton *>(QStringLiteral("Label3"));
    QCOMPARE(label->geometry(), QRect(64, 288, 297, 41));
    QCOMPARE(label->font().pixelSize(), 19);
    QVERIFY(c.question().startsWith(QStringLiteral("trova il  ")));
    QCOMPARE(c.action("mnuFalse")->text(), QStringLiteral("1 Gennaio 2000"));
    QCOMPARE(c.action("mnuTrue")->text(), QStringLiteral("01/01/2000"));
    QVERIFY(c.action("mnuFalse")->isChecked());
    QVERIFY(!c.action("mnuTrue")->isChecked());
    QVERIFY(!c.window->FormatoNumerico());
}

void TestCalendar::dayClickJudgesTheDate_data()
{
    QTest::addColumn<QDate>("clicked");
    QTest::addColumn<bool>("right");
    // 0: a mouse click on the day; a key: the day selected, then the key.
    QTest::addColumn<int>("key");
    // What a screen reader is told.
    QTest::addColumn<QString>("heard");
    const QString right =
        QStringLiteral("lunedì 5 marzo 2001, esatto. Esatti: 1. giro finito: premi avanti");
    QTest::newRow("the asked day") << QDate(2001, 3, 5) << true << 0 << right;
    QTest::newRow("right day, wrong month")
        << QDate(2001, 4, 5) << false << 0
        << QStringLiteral("giovedì 5 aprile 2001, sbagliato. Errati: 1");
    QTest::newRow("right day and month, wrong year")
        << QDate(2002, 3, 5) << false << 0
        << QStringLiteral("martedì 5 marzo 2002, sbagliato. Errati: 1");
    QTest::newRow("wrong day") << QDate(2001, 3, 6) << false << 0
                               << QStringLiteral("martedì 6 marzo 2001, sbagliato. Errati: 1");
    QTest::newRow("Enter on the asked day")
        << QDate(2001, 3, 5) << true << int(Qt::Key_Enter) << right;
    QTest::newRow("Return on the asked day")
        << QDate(2001, 3, 5) << true << int(Qt::Key_Return) << right;
    QTest::newRow("Space on the asked day")
        << QDate(2001, 3, 5) << true << int(Qt::Key_Space) << right;
    QTest::newRow("Return on a wrong month")
        << QDate(2001, 4, 5) << false << int(Qt::Key_Return)
        << QStringLiteral("giovedì 5 aprile 2001, sbagliato. Errati: 1");
    QTest::newRow("Space on a wrong day")
        << QDate(2001, 3, 6) << false << int(Qt::Key_Space)
        << QStringLiteral("martedì 6 marzo 2001, sbagliato. Errati: 1");
}

void TestCalendar::dayClickJudgesTheDate()
{
    QFETCH(QDate, clicked);
    QFETCH(bool, right);
    QFETCH(int, key);
    QFETCH(QString, heard);
    TestProgram program;
    program.playAs({QStringLiteral("Anna")});
    // 5 March 2001.
    program.random.script({0.5, 2.0 / 12 + 1e-9, 4.0 / 31 + 1e-9});
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    QCOMPARE(c.question(), QStringLiteral("trova il  5 Marzo  2001"));
    program.sound.played.clear();
    QSignalSpy answers(c.calendar(), &MonthCalendar::Click);
    // Qt's own handling of Enter on the grid would answer again.
    QSignalSpy passedOn(c.calendar(), &QCalendarWidget::activated);
    if (key == 0) {
        c.clickDay(clicked);
    } else {
        c.calendar()->setSelectedDate(clicked);
        QCoreApplication::processEvents();
        QTest::keyClick(c.grid(), Qt::Key(key));
    }
    QCOMPARE(answers.size(), 1);
    QCOMPARE(passedOn.size(), 0);
    // Kept as dates, with the way the day was chosen.
    QCOMPARE(program.kept.size(), 1);
    QCOMPARE(program.kept[0].items, Items::Dates);
    QCOMPARE(program.kept[0].asked, 20010305);
    QCOMPARE(program.kept[0].given, dateNumber(clicked));
    QCOMPARE(program.kept[0].exercise, QStringLiteral("calendario"));
    QCOMPARE(program.kept[0].route, QLatin1String(key ? "tastiera" : "tocco"));
    QCOMPARE(c.calendar()->selectedDate(), clicked);
    QCOMPARE(Modulo1::NumEsatti, qint16(right ? 1 : 0));
    QCOMPARE(Modulo1::NumErrati, qint16(right ? 0 : 1));
    QCOMPARE(c.avanti()->isEnabled(), right);
    QCOMPARE(program.sound.played.size(), 1);
    QCOMPARE(c.window->backgroundColour(), QColor(255, 128, 0));
    QCOMPARE(c.question(), QStringLiteral("trova il  5 Marzo  2001"));
    QCOMPARE(c.heard(), heard);
}

void TestCalendar::clickEventOnlyForDays()
{
    TestProgram program;
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    MonthCalendar *calendar = c.calendar();
    QSignalSpy clicks(calendar, &MonthCalendar::Click);
    QTest::mouseClick(calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth")),
                      Qt::LeftButton);
    QCOMPARE(calendar->monthShown(), 9);
    QTest::mouseClick(calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_prevmonth")),
                      Qt::LeftButton);
    calendar->setCurrentPage(2002, 12);
    calendar->showNextYear();
    calendar->showPreviousMonth();
    // The keys that move about the calendar are never an answer.
    calendar->setSelectedDate(QDate(2001, 6, 15));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                        Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End})
        QTest::keyClick(c.grid(), key);
    QCOMPARE(calendar->monthShown(), 7);
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(Modulo1::NumEsatti + Modulo1::NumErrati, 0);
    c.clickDay(QDate(2002, 2, 14));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(calendar->Day(), qint16(14));
    QCOMPARE(calendar->Month(), qint16(2));
    QCOMPARE(calendar->Year(), qint16(2002));
}

void TestCalendar::waitingModeCountsEverySecondRightClick()
{
    TestProgram program;
    program.random.script({0.0, 0.0, 0.0});
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    c.clickDay(QDate(2000, 1, 1));
    QVERIFY(c.avanti()->isEnabled());
    c.clickDay(QDate(2000, 1, 1));
    QCOMPARE(Modulo1::NumEsatti, qint16(2));
    c.clickDay(QDate(2000, 1, 2));
    QCOMPARE(Modulo1::NumErrati, qint16(1));
    QCOMPARE(c.question(), QStringLiteral("trova il  1 Gennaio  2000"));

    program.random.script({top, top, top});
    c.avanti()->click();
    QVERIFY(!c.avanti()->isEnabled());
    QCOMPARE(c.question(), QStringLiteral("trova il  31 Dicembre  2002"));
}

void TestCalendar::automaticModeAsksTheNextDateAtOnce()
{
    TestProgram program;
    Modulo1::AttendiAvanti = false;
    program.random.script({0.0, 0.0, 0.0, top, top, top});
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    QVERIFY(c.avanti()->isHidden());
    c.clickDay(QDate(2000, 1, 1));
    QCOMPARE(Modulo1::NumEsatti, qint16(1));
    QCOMPARE(c.question(), QStringLiteral("trova il  31 Dicembre  2002"));
}

void TestCalendar::styleSwitchRewritesTheSameDate()
{
    TestProgram program;
    program.random.script({0.5, 2.0 / 12 + 1e-9, 4.0 / 31 + 1e-9});
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    c.clickDay(QDate(2001, 3, 6));
    const int draws = program.random.draws();
    c.action("mnuTrue")->trigger();
    QCOMPARE(c.question(), QStringLiteral("trova il 05/03/2001"));
    QVERIFY(c.action("mnuTrue")->isChecked());
    QVERIFY(!c.action("mnuFalse")->isChecked());
    c.action("mnuTrue")->trigger();
    QCOMPARE(c.question(), QStringLiteral("trova il 05/03/2001"));
    QVERIFY(c.action("mnuTrue")->isChecked());
    c.action("mnuFalse")->trigger();
    QCOMPARE(c.question(), QStringLiteral("trova il  5 Marzo  2001"));
    QVERIFY(c.action("mnuFalse")->isChecked());
    QVERIFY(!c.action("mnuTrue")->isChecked());
    QCOMPARE(program.random.draws(), draws);
    QCOMPARE(Modulo1::NumErrati, qint16(1));
    QCOMPARE(Modulo1::NumEsatti, qint16(0));
}

void TestCalendar::questionClickShowsTheMonth()
{
    TestProgram program;
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    auto *label = c.window->findChild<QAbstractButton *>(QStringLiteral("Label3"));
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(c.question(), QStringLiteral("8"));
    c.calendar()->setSelectedDate(QDate(2001, 11, 3));
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(c.question(), QStringLiteral("11"));
    // The month arrows turn the page without moving the date: the month on show counts.
    QTest::mouseClick(
        c.calendar()->findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth")),
        Qt::LeftButton);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(c.question(), QStringLiteral("12"));
    QCOMPARE(c.calendar()->Month(), qint16(11));
    // Enter on the question, reached with Tab, does what a click does.
    c.action("mnuTrue")->trigger();
    QTest::keyClick(label, Qt::Key_Return);
    QCOMPARE(c.question(), QStringLiteral("12"));
    QCOMPARE(label->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    const Date asked = c.window->question().DataCercata();
    c.action("mnuTrue")->trigger();
    QCOMPARE(c.question(), c.window->question().ScriviDomanda(true));
    QVERIFY(c.window->question().DataCercata() == asked);
}

void TestCalendar::daysReadAsDates_data()
{
    QTest::addColumn<QDate>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    // January 2001 begins on a Monday: Qt shows the whole week before it first.
    QTest::newRow("a day of the month")
        << QDate(2001, 1, 1) << 4 << 1 << QStringLiteral("martedì 23 gennaio 2001");
    QTest::newRow("the first cell, the month before")
        << QDate(2001, 1, 1) << 0 << 0
        << QStringLiteral("lunedì 25 dicembre 2000, mese precedente");
    QTest::newRow("the last cell, the month after")
        << QDate(2001, 2, 1) << 5 << 6 << QStringLiteral("domenica 11 marzo 2001, mese successivo");
    QTest::newRow("the 29th of a leap February")
        << QDate(2000, 2, 1) << 4 << 1 << QStringLiteral("martedì 29 febbraio 2000");
}

void TestCalendar::daysReadAsDates()
{
    QFETCH(QDate, page);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, name);
    TestProgram program;
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    c.calendar()->setCurrentPage(page.year(), page.month());
    QAccessibleTableInterface *grid = c.accessibleGrid();
    QCOMPARE(grid->rowCount(), 6);
    QCOMPARE(grid->columnDescription(0), QStringLiteral("lunedì"));
    QCOMPARE(grid->columnDescription(6), QStringLiteral("domenica"));
    QAccessibleInterface *day = grid->cellAt(row, column);
    QCOMPARE(day->text(QAccessible::Name), name);
    QCOMPARE(day->role(), QAccessible::Cell);
    QCOMPARE(day->tableCellInterface()->rowIndex(), row);
    QCOMPARE(day->tableCellInterface()->columnIndex(), column);
    QVERIFY(!day->state().invisible);
    QVERIFY(!day->state().selected);
    QCOMPARE(c.heard(), c.calendar()->shownMonthName());
    // Qt's own focus events name the cells by this numbering.
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(c.grid());
    QCOMPARE(table->indexOfChild(day), MonthCalendar::accessibleChild(row + 1, column));
    QAccessibleInterface *monday = table->child(MonthCalendar::accessibleChild(0, 0));
    QCOMPARE(monday->role(), QAccessible::ColumnHeader);
    QVERIFY(!monday->tableCellInterface());
    // A screen reader's pointer finds the day where it is drawn, and goes up to its grid.
    QCOMPARE(day->parent(), table);
    QCOMPARE(table->childAt(day->rect().center().x(), day->rect().center().y()), day);
    QVERIFY(grid->selectedCells().isEmpty());

    // The day the keyboard is on is the one focused, while the grid has the focus.
    QApplication::setActiveWindow(c.window);
    c.grid()->setFocus(Qt::MouseFocusReason);
    QVERIFY(c.grid()->hasFocus());
    c.grid()->selectionModel()->setCurrentIndex(c.grid()->model()->index(row + 1, column),
                                                QItemSelectionModel::NoUpdate);
    QVERIFY(day->state().focused);
    QCOMPARE(table->focusChild(), day);
    QVERIFY(!grid->cellAt(row, (column + 1) % 7)->state().focused);
    c.calendar()->findChild<QWidget *>(QStringLiteral("qt_calendar_nextmonth"))->setFocus();
    QVERIFY(!day->state().focused);

    // The chosen day is the one selected, and the only one.
    const QDate chosen = c.calendar()->dateAt(row, column);
    c.calendar()->setSelectedDate(chosen);
    const QList<QAccessibleInterface *> selected = grid->selectedCells();
    QCOMPARE(selected.size(), 1);
    QVERIFY(selected[0]->state().selected);
    QCOMPARE(selected[0]->text(QAccessible::Name), c.calendar()->spokenDate(chosen));
}

void TestCalendar::enterOnADayOutOfSightMovesOntoThePage()
{
    TestProgram program;
    Calendar c(program.open<FormCalendario>(Finestra::Form7));
    c.calendar()->setSelectedDate(QDate(2000, 8, 31));
    QCoreApplication::processEvents();
    // The arrows turn the page to November: the 31st of August is out of sight.
    for (int turn = 0; turn < 3; ++turn) {
        QTest::mouseClick(
            c.calendar()->findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth")),
            Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    QCOMPARE(c.heard(), QStringLiteral("novembre 2000"));
    // Enter comes to the same day of November, the last it has, and answers nothing.
    QTest::keyClick(c.grid(), Qt::Key_Return);
    QCOMPARE(c.calendar()->selectedDate(), QDate(2000, 11, 30));
    QCOMPARE(Modulo1::NumEsatti + Modulo1::NumErrati, 0);
    QCOMPARE(c.heard(), QStringLiteral("giovedì 30 novembre 2000"));
    QCoreApplication::processEvents();
    QTest::keyClick(c.grid(), Qt::Key_Return);
    QCOMPARE(Modulo1::NumEsatti + Modulo1::NumErrati, 1);
}

void TestCalendar::reopeningAsksInWords()
{
    TestProgram program;
    Calendar first(program.open<FormCalendario>(Finestra::Form7));
    first.action("mnuTrue")->trigger();
    QVERIFY(!first.question().contains(QStringLiteral("  ")));
    program.windows.close(Finestra::Form7);
    Calendar again(program.open<FormCalendario>(Finestra::Form7));
    QVERIFY(again.action("mnuFalse")->isChecked());
    QVERIFY(!again.window->FormatoNumerico());
    QVERIFY(again.question().startsWith(QStringLiteral("trova il  ")));
    QCOMPARE(again.calendar()->selectedDate(), QDate(2000, 8, 10));
}

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
