#pragma once

#include "ResultsPeriod.h"
#include "Tally.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

class QFont;
class QPainter;
class QRectF;

// Right and wrong answers day by day, as stacked bars: right ones solid
// dark blue at the bottom, wrong ones hatched orange on top, so that they
// are told apart in grey too. The screen and the printed report draw the
// same chart. Days with no answer keep their place, so gaps show; a span
// too long for the width is shown by weeks, or by months.
class DailyChart
{
public:
    enum class Grouping { Days, Weeks, Months };

    struct Bar
    {
        QDate first;
        QDate last;
        QString label; // "9/12", the Monday "9/12" of a week, "dic 26"
        Tally tally;
    };

    // The days from `from` to `to`; a null end is the data's own first or last day.
    DailyChart(const QMap<QDate, Tally> &days, QDate from, QDate to);
    // The period's days; all the data's days for "tutto".
    DailyChart(const QMap<QDate, Tally> &days, const ResultsPeriod &period);

    bool isEmpty() const;
    // The coarsest grouping needed to fit in `maxBars` bars.
    Grouping groupingFor(int maxBars) const;
    QList<Bar> bars(Grouping grouping) const;

    // The whole chart, its legend and axes in `rect`, its labels in `font`
    // (made smaller if the rect is too low for it).
    void draw(QPainter &painter, const QRectF &rect, const QFont &font) const;
    // The chart read aloud: "9/12: 5 esatte, 1 errata. 10/12: …"
    QString description() const;

private:
    QMap<QDate, Tally> days_;
    QDate from_;
    QDate to_;
};
