#pragma once

#include "AnswerRows.h"

#include <QDate>
#include <QList>
#include <QString>

// The days whose answers the teacher looks at, counted back from today:
// the last 7 days, the last 30, or every answer kept. Answers dated after
// today (a computer whose clock is ahead) belong only to "tutto".
class ResultsPeriod
{
public:
    enum Span { LastWeek, LastMonth, Everything };

    ResultsPeriod(Span span, QDate today);

    Span span() const { return span_; }
    QDate today() const { return today_; }
    // The first day in the period; null for "tutto".
    QDate firstDay() const;
    // `day`: the day an answer was given on the child's own computer.
    bool contains(QDate day) const;
    // The days to ask the answers for.
    DayRange range() const;

    // "ultima settimana", "ultimo mese", "tutto"
    QString name() const { return nameOf(span_); }
    // What it covers, for a printed heading: "dal 3/12/2026 al 9/12/2026".
    QString dates() const;
    static QString nameOf(Span span);
    // Every span, in the order a teacher is offered them.
    static QList<Span> spans() { return {LastWeek, LastMonth, Everything}; }

private:
    Span span_;
    QDate today_;
};
