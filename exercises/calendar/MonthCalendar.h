#pragma once

#include <QCalendarWidget>

#include <functional>

// The month calendar of the calendar exercise: Italian names, no week
// numbers, a big day grid. It reports the picked date as whole numbers and
// raises Click only when the child clicks a day, or presses Enter or Space
// on the selected one, never when the child only moves to another day,
// month or year (arrows, Page Up and Page Down, the month arrows).
class MonthCalendar : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit MonthCalendar(QWidget *parent = nullptr);
    // The calendar of an exercise window, at its designed place in `area`,
    // with the names of `locale`; each page turned and each day brought
    // into sight is told through `tell`, as a screen reader hears it.
    static MonthCalendar *inWindow(QWidget *area, const QLocale &locale,
                                   const std::function<void(const QString &)> &tell);

    qint16 Day() const;
    qint16 Month() const;
    qint16 Year() const;
    // Whether the last Click came from the keyboard.
    bool byKey() const { return byKey_; }

    static QDate openingDate() { return QDate(2000, 8, 10); }

    // The date in week `row` (0 to 5) and `column` (0 Monday) of the month on show.
    QDate dateAt(int row, int column) const;
    // "lunedì" for column 0.
    QString weekdayName(int column) const;
    // "martedì 24 gennaio 2001", and whether it lies in another month than the one on show.
    QString spokenDate(const QDate &date) const;
    // "agosto 2000".
    QString shownMonthName() const;

    // Qt numbers a table view's accessible children as a grid one row and
    // one column larger than its model: the headers come first. The
    // number of the child that shows the model's row and column.
    static int accessibleChild(int modelRow, int column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The child clicked a day; Day, Month and Year already give it.
    void Click();
    // The keyboard came to a day that the month arrows had turned out of
    // sight, and was moved to the same day of the month on show.
    void broughtIntoSight(QDate date);

private:
    void dayClicked(QDate date);
    // False when the selected day is already on the page.
    bool bringSelectionIntoSight();

    bool byKey_ = false;
};
