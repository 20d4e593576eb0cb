#include "DailyChart.h"

#include "FittedFont.h"
#include "Hatching.h"
#include "ResultsColours.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <cmath>

namespace {

QDate mondayOf(QDate day)
{
    return day.addDays(1 - day.dayOfWeek());
}

QString dayLabel(QDate day)
{
    return day.toString(QStringLiteral("d/M"));
}

QString monthLabel(QDate day)
{
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    return QStringLiteral("%1 %2")
        .arg(italian.monthName(day.month(), QLocale::ShortFormat))
        .arg(day.year() % 100, 2, 10, QLatin1Char('0'));
}

// A round step for about `parts` lines of the count axis: 1, 2, 5, 10, 20…
int niceStep(int most, int parts)
{
    const double raw = std::max(1.0, double(most) / parts);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw)
            return int(factor * power);
    }
    return int(10 * power);
}

QString answersInWords(const Tally &tally)
{
    return QStringLiteral("%1 %2, %3 %4")
        .arg(tally.right)
        .arg(tally.right == 1 ? QStringLiteral("esatta") : QStringLiteral("esatte"))
        .arg(tally.wrong())
        .arg(tally.wrong() == 1 ? QStringLiteral("errata") : QStringLiteral("errate"));
}

} // namespace

DailyChart::DailyChart(const QMap<QDate, Tally> &days, QDate from, QDate to) : days_(days)
{
    from_ = from.isValid() ? from : (days.isEmpty() ? QDate() : days.firstKey());
    to_ = to.isValid() ? to : (days.isEmpty() ? QDate() : days.lastKey());
    if (from_.isValid() && to_.isValid() && from_ > to_)
        std::swap(from_, to_);
}

DailyChart::DailyChart(const QMap<QDate, Tally> &days, const ResultsPeriod &period)
    : DailyChart(days, period.firstDay(),
                 period.span() == ResultsPeriod::Everything ? QDate() : period.today())
{
}

bool DailyChart::isEmpty() const
{
    for (auto day = days_.lowerBound(from_); day != days_.cend() && day.key() <= to_; ++day) {
        if (!day.value().isEmpty())
            return false;
    }
    return true;
}

DailyChart::Grouping DailyChart::groupingFor(int maxBars) const
{
    if (!from_.isValid() || from_.daysTo(to_) + 1 <= maxBars)
        return Grouping::Days;
    if (bars(Grouping::Weeks).size() <= maxBars)
        return Grouping::Weeks;
    return Grouping::Months;
}

QList<DailyChart::Bar> DailyChart::bars(Grouping grouping) const
{
    QList<Bar> made;
    if (!from_.isValid() || !to_.isValid())
        return made;
    QDate first = from_;
    while (first <= to_) {
        QDate last = first;
        QString label = dayLabel(first);
        if (grouping == Grouping::Weeks) {
            last = mondayOf(first).addDays(6);
            label = dayLabel(mondayOf(first));
        } else if (grouping == Grouping::Months) {
            last = QDate(first.year(), first.month(), first.daysInMonth());
            label = monthLabel(first);
        }
        last = std::min(last, to_);
        Bar bar{first, last, label, {}};
        for (auto day = days_.lowerBound(first); day != days_.cend() && day.key() <= last; ++day)
            bar.tally += day.value();
        made.append(bar);
        first = last.addDays(1);
    }
    return made;
}

void DailyChart::draw(QPainter &painter, const QRectF &rect, const QFont &font) const
{
    painter.save();
    // Room for seven lines at least: the legend, five counts, the days.
    const QFont labels = fittedFont(font, painter.device(), rect.height() / 7);
    painter.setFont(labels);
    const QFontMetricsF metrics(labels, painter.device());
    const qreal line = metrics.height();
    const qreal thin = std::max(line / 16, 1.0);
    painter.setRenderHint(QPainter::Antialiasing);

    // The legend, above the chart on the right.
    const qreal swatch = metrics.ascent() * 0.9;
    QRectF plot = rect.adjusted(0, line * 1.6, 0, -line * 1.4);
    qreal x = rect.right();
    const auto legendEntry = [&](const QString &text, bool isRight) {
        x -= metrics.horizontalAdvance(text);
        painter.setPen(ResultsColours::ink());
        painter.drawText(QPointF(x, rect.top() + metrics.ascent()), text);
        x -= swatch + line * 0.3;
        const QRectF box(x, rect.top() + metrics.ascent() - swatch, swatch, swatch);
        painter.fillRect(box, isRight ? ResultsColours::right() : ResultsColours::wrong());
        if (!isRight)
            hatch(painter, box, ResultsColours::wrongHatching(), swatch / 3, thin);
        painter.setPen(QPen(ResultsColours::ink(), thin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        x -= line;
    };
    legendEntry(QStringLiteral("errate"), false);
    legendEntry(QStringLiteral("esatte"), true);

    if (isEmpty()) {
        painter.setPen(ResultsColours::muted());
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("Nessuna risposta nel periodo"));
        painter.restore();
        return;
    }

    // The count axis: round steps, their labels on the left.
    const qreal minSlot = metrics.horizontalAdvance(QStringLiteral("00"));
    const qreal countWidth = metrics.horizontalAdvance(QStringLiteral("0000")) + line * 0.4;
    plot.setLeft(plot.left() + countWidth);
    const Grouping grouping = groupingFor(std::max(1, int(plot.width() / minSlot)));
    const QList<Bar> shown = bars(grouping);
    int highest = 0;
    for (const Bar &bar : shown)
        highest = std::max(highest, bar.tally.answers);
    const int step = niceStep(highest, 4);
    const int top = std::max(step, (highest + step - 1) / step * step);
    const auto yOf = [&](int count) { return plot.bottom() - plot.height() * count / top; };
    for (int count = 0; count <= top; count += step) {
        const qreal y = yOf(count);
        painter.setPen(QPen(count == 0 ? ResultsColours::ink() : ResultsColours::grid(), thin));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(ResultsColours::muted());
        painter.drawText(QRectF(rect.left(), y - line / 2, countWidth - line * 0.3, line),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(count));
    }

    // The bars, and under them as many labels as fit without touching.
    const qreal slot = plot.width() / shown.size();
    // Wide enough to read, never so wide that a week looks like a wall.
    const qreal barWidth = std::clamp(slot * 0.72, thin, line * 2.5);
    qreal widest = 0;
    for (const Bar &bar : shown)
        widest = std::max(widest, metrics.horizontalAdvance(bar.label));
    const int every = std::max(1, int(std::ceil((widest + line * 0.5) / slot)));
    for (int i = 0; i < shown.size(); ++i) {
        const Bar &bar = shown.at(i);
        const qreal centre = plot.left() + slot * (i + 0.5);
        const qreal left = centre - barWidth / 2;
        const qreal rightTop = yOf(bar.tally.right);
        const qreal wrongTop = yOf(bar.tally.answers);
        const QRectF rightBox(left, rightTop, barWidth, plot.bottom() - rightTop);
        const QRectF wrongBox(left, wrongTop, barWidth, rightTop - wrongTop);
        painter.setPen(QPen(ResultsColours::ink(), thin));
        if (bar.tally.right > 0) {
            painter.setBrush(ResultsColours::right());
            painter.drawRect(rightBox);
        }
        if (bar.tally.wrong() > 0) {
            painter.setBrush(ResultsColours::wrong());
            painter.drawRect(wrongBox);
            hatch(painter, wrongBox, ResultsColours::wrongHatching(), line * 0.35, thin);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(wrongBox);
        }
        if (i % every == 0) {
            painter.setPen(ResultsColours::ink());
            const qreal width = metrics.horizontalAdvance(bar.label);
            const qreal textLeft =
                std::clamp(centre - width / 2, rect.left(), rect.right() - width);
            painter.drawText(QPointF(textLeft, plot.bottom() + line * 0.2 + metrics.ascent()),
                             bar.label);
        }
    }

    // What a bar stands for, when it is more than a day.
    if (grouping != Grouping::Days) {
        painter.setPen(ResultsColours::muted());
        painter.drawText(QPointF(plot.left(), rect.top() + metrics.ascent()),
                         grouping == Grouping::Weeks ? QStringLiteral("per settimana (dal lunedì)")
                                                     : QStringLiteral("per mese"));
    }
    painter.restore();
}

QString DailyChart::description() const
{
    QStringList said;
    for (const Bar &bar : bars(Grouping::Days)) {
        if (!bar.tally.isEmpty())
            said.append(QStringLiteral("%1: %2").arg(bar.label, answersInWords(bar.tally)));
    }
    if (said.isEmpty())
        return QStringLiteral("Nessuna risposta nel periodo.");
    return said.join(QStringLiteral(". ")) + QLatin1Char('.');
}
