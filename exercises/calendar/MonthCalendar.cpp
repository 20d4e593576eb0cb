#include "MonthCalendar.h"

#include "Design.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QTableView>
#include <QTextCharFormat>

MonthCalendar::MonthCalendar(QWidget *parent) : QCalendarWidget(parent)
{
    setObjectName(QStringLiteral("Calendar1"));
    setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    setFirstDayOfWeek(Qt::Monday);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(true);
    setFont(Design::arialBold(11));
    setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));
    setSelectedDate(openingDate());
    setCurrentPage(openingDate().year(), openingDate().month());

    QTextCharFormat sunday = weekdayTextFormat(Qt::Sunday);
    sunday.setForeground(QColor(200, 0, 0));
    setWeekdayTextFormat(Qt::Sunday, sunday);
    QTextCharFormat saturday = weekdayTextFormat(Qt::Saturday);
    saturday.setForeground(Qt::black);
    setWeekdayTextFormat(Qt::Saturday, saturday);

    connect(this, &QCalendarWidget::clicked, this, &MonthCalendar::dayClicked);

    setAccessibleName(QStringLiteral("calendario"));
    for (const auto &[arrow, name] : {std::pair("qt_calendar_prevmonth", "mese precedente"),
                                      std::pair("qt_calendar_nextmonth", "mese successivo")}) {
        if (auto *button = findChild<QWidget *>(QLatin1String(arrow)))
            button->setAccessibleName(QString::fromUtf8(name));
    }
    if (auto *grid = findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview")))
        grid->installEventFilter(this);
}

bool MonthCalendar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn &&
        watched->objectName() == QLatin1String("qt_calendar_calendarview")) {
        // The month arrows turn the page without moving the date: the keyboard
        // then starts on the same day of the month on show, never on a day
        // out of sight that Enter would answer.
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::MouseFocusReason)
            bringSelectionIntoSight();
        // Qt tells only that the grid has the focus; the day it is on is heard too.
        auto *grid = static_cast<QTableView *>(watched);
        const QModelIndex current = grid->currentIndex();
        QMetaObject::invokeMethod(
            grid,
            [grid, current] {
                if (!grid->hasFocus() || grid->currentIndex() != current || !current.isValid())
                    return;
                QAccessibleEvent focus(grid, QAccessible::Focus);
                focus.setChild(accessibleChild(current.row(), current.column()));
                QAccessible::updateAccessibility(&focus);
            },
            Qt::QueuedConnection);
    }
    if (event->type() == QEvent::KeyPress &&
        watched->objectName() == QLatin1String("qt_calendar_calendarview")) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            // A day out of sight is not answered: the keyboard is brought onto the page first.
            if (!bringSelectionIntoSight()) {
                byKey_ = true;
                emit Click();
            }
            return true;
        }
    }
    return QCalendarWidget::eventFilter(watched, event);
}

bool MonthCalendar::bringSelectionIntoSight()
{
    const QDate first = dateAt(0, 0);
    if (selectedDate() >= first && selectedDate() <= dateAt(5, 6))
        return false;
    const QDate month(yearShown(), monthShown(), 1);
    setSelectedDate(month.addDays(qMin(selectedDate().day(), month.daysInMonth()) - 1));
    emit broughtIntoSight(selectedDate());
    return true;
}

QDate MonthCalendar::dateAt(int row, int column) const
{
    // Qt always shows at least one day of the month before in the first week.
    const QDate first(yearShown(), monthShown(), 1);
    int before = (first.dayOfWeek() - int(firstDayOfWeek()) + 7) % 7;
    if (before < 1)
        before += 7;
    return first.addDays(row * 7 + column - before);
}

QString MonthCalendar::weekdayName(int column) const
{
    return locale().dayName((int(firstDayOfWeek()) - 1 + column) % 7 + 1);
}

QString MonthCalendar::spokenDate(const QDate &date) const
{
    QString spoken = locale().toString(date, QStringLiteral("dddd d MMMM yyyy"));
    const QDate first(yearShown(), monthShown(), 1);
    if (date < first)
        spoken += QStringLiteral(", mese precedente");
    else if (date > first.addMonths(1).addDays(-1))
        spoken += QStringLiteral(", mese successivo");
    return spoken;
}

int MonthCalendar::accessibleChild(int modelRow, int column)
{
    // The model has one more row, the weekdays, above the six weeks.
    constexpr int slotsPerRow = 7 + 1;
    return (modelRow + 1) * slotsPerRow + column + 1;
}

QString MonthCalendar::shownMonthName() const
{
    return locale().standaloneMonthName(monthShown()) + QLatin1Char(' ') +
           QString::number(yearShown());
}

MonthCalendar *MonthCalendar::inWindow(QWidget *area, const QLocale &locale,
                                       const std::function<void(const QString &)> &tell)
{
    auto *calendar = new MonthCalendar(area);
    calendar->setLocale(locale);
    calendar->setGeometry(Design::rect(960, 120, 4455, 3975));
    // The page turns silently on screen; a screen reader says the new month.
    connect(calendar, &QCalendarWidget::currentPageChanged, calendar,
            [calendar, tell] { tell(calendar->shownMonthName()); });
    connect(calendar, &MonthCalendar::broughtIntoSight, calendar,
            [calendar, tell](QDate date) { tell(calendar->spokenDate(date)); });
    return calendar;
}

qint16 MonthCalendar::Day() const
{
    return qint16(selectedDate().day());
}

qint16 MonthCalendar::Month() const
{
    return qint16(selectedDate().month());
}

qint16 MonthCalendar::Year() const
{
    return qint16(selectedDate().year());
}

void MonthCalendar::dayClicked(QDate date)
{
    // The clicked day becomes the calendar's date before anyone hears of it.
    if (selectedDate() != date)
        setSelectedDate(date);
    byKey_ = false;
    emit Click();
}
