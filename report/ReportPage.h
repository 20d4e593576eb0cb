#pragma once

#include "ResultsAnalysis.h"
#include "ResultsColours.h"

#include <QDate>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

// A page of the printed report being drawn: its area inside the margins,
// in the device's units, how far down it is filled, and its sections.
class ReportPage
{
public:
    ReportPage(QPainter &painter, const QRectF &area, qreal dotsPerMm)
        : painter(painter), area(area), mm(dotsPerMm), y(area.top())
    {
    }

    QFont font(qreal points, bool bold = false) const
    {
        QFont made(QStringLiteral("Arial"));
        made.setStyleHint(QFont::SansSerif);
        made.setPointSizeF(points);
        made.setBold(bold);
        return made;
    }
    qreal lineOf(const QFont &font) const { return QFontMetricsF(font, painter.device()).height(); }
    qreal left() const { return area.bottom() - y; }

    // One line of text at the top of what is left; returns its height.
    qreal text(const QString &line, const QFont &font, const QColor &colour,
               Qt::Alignment align = Qt::AlignLeft)
    {
        painter.setFont(font);
        painter.setPen(colour);
        const qreal height = lineOf(font);
        painter.drawText(QRectF(area.left(), y, area.width(), height), align | Qt::AlignVCenter,
                         line);
        y += height;
        return height;
    }
    void rule(qreal widthMm, const QColor &colour)
    {
        painter.setPen(QPen(colour, widthMm * mm));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
    void title(const QString &text)
    {
        y += 5 * mm;
        this->text(text, font(10.5, true), ResultsColours::ink());
        y += 1.5 * mm;
    }

    static constexpr qreal bodyPoints = 9;
    static constexpr qreal smallPoints = 7.5;
    static constexpr qreal rowMm = 5.2;
    // The most confused pairs said on a page; the rest are counted.
    static constexpr int pairsShown = 8;
    // "9 dicembre 2026", "mercoledì 9 dicembre 2026".
    static QString longDate(QDate day, bool withWeekday = false);

    // The sections of a child's page, each drawn below the last.
    void heading(const QString &name, const QString &about, const QString &played);
    void exerciseTable(const ResultsAnalysis &analysis, const ChildResults &results);
    qreal mapsHeight(const ChildResults &results, qreal cellMm) const;
    void maps(const ChildResults &results, qreal cellMm);
    void pairsAndCalendar(const ChildResults &results);
    // The child's review, a line a kind of names; its lines, for the room it takes.
    static QStringList reviewLines(const ChildResults &results);
    void review(const ChildResults &results);
    void footer(const QString &name, int number, int count);

    QPainter &painter;
    const QRectF area;
    const qreal mm;
    qreal y;
};
