#include "ReportPage.h"

#include "AnswerWords.h"
#include "ReviewWords.h"

#include "ConfusionHeatMap.h"
#include "DailyChart.h"
#include "ResultsColours.h"

#include <QFontMetricsF>
#include <QLocale>

#include <algorithm>

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);

QString percent(const Tally &tally)
{
    return tally.isEmpty() ? QStringLiteral("—")
                           : QStringLiteral("%1%").arg(qRound(tally.share() * 100));
}

} // namespace

QString ReportPage::longDate(QDate day, bool withWeekday)
{
    return italian.toString(day, withWeekday ? QStringLiteral("dddd d MMMM yyyy")
                                             : QStringLiteral("d MMMM yyyy"));
}

void ReportPage::heading(const QString &name, const QString &about, const QString &played)
{
    QFont brand = font(smallPoints, true);
    brand.setLetterSpacing(QFont::PercentageSpacing, 112);
    text(QStringLiteral("TEMPIOLO · I GIORNI DELLA SETTIMANA E I MESI DELL'ANNO"), brand,
         ResultsColours::muted());
    y += 2 * mm;
    text(name, font(22, true), ResultsColours::ink());
    y += 1 * mm;
    text(about, font(bodyPoints), ResultsColours::muted());
    text(played, font(bodyPoints), ResultsColours::ink());
    y += 2.5 * mm;
    rule(0.35, ResultsColours::ink());
}

void ReportPage::exerciseTable(const ResultsAnalysis &analysis, const ChildResults &results)
{
    const qreal row = rowMm * mm;
    const qreal pad = 1.5 * mm;
    // Name, then three numbers, right-aligned under their headers.
    const qreal widths[] = {0.46, 0.16, 0.16, 0.22};
    const auto cell = [&](int column, qreal top) {
        qreal x = area.left();
        for (int i = 0; i < column; ++i)
            x += widths[i] * area.width();
        return QRectF(x, top, widths[column] * area.width(), row);
    };
    const auto line = [&](const QStringList &texts, const QFont &font, const Tally *shaded) {
        painter.setFont(font);
        for (int column = 0; column < 4; ++column) {
            const QRectF box = cell(column, y);
            QColor ink = ResultsColours::ink();
            if (column == 3 && shaded && !shaded->isEmpty()) {
                // A chip under the number, about as wide as the header above it.
                const QColor shade = ResultsColours::forShare(shaded->share());
                const qreal chip = 24 * mm;
                painter.fillRect(
                    QRectF(box.right() - chip, box.top() + 0.4 * mm, chip, box.height() - 0.8 * mm),
                    shade);
                ink = ResultsColours::textOn(shade);
            }
            painter.setPen(ink);
            painter.drawText(box.adjusted(pad, 0, -pad, 0),
                             (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                             texts.at(column));
        }
        y += row;
    };

    line({QStringLiteral("Esercizio"), QStringLiteral("Esatte"), QStringLiteral("Risposte"),
          QStringLiteral("Percentuale")},
         font(bodyPoints, true), nullptr);
    rule(0.25, ResultsColours::ink());
    for (const QString &exercise : analysis.exercises()) {
        const Tally tally = results.exercise(exercise);
        if (tally.isEmpty())
            continue;
        line({AnswerWords::exerciseCaption(exercise), QString::number(tally.right),
              QString::number(tally.answers), percent(tally)},
             font(bodyPoints), &tally);
        rule(0.1, ResultsColours::grid());
    }
    rule(0.25, ResultsColours::ink());
    line({QStringLiteral("Tutti gli esercizi"), QString::number(results.total.right),
          QString::number(results.total.answers), percent(results.total)},
         font(bodyPoints, true), &results.total);
}

// The height the maps take with cells of `cellMm`, as ConfusionHeatMap lays them out.
qreal ReportPage::mapsHeight(const ChildResults &results, qreal cellMm) const
{
    int rows = 0;
    for (const ConfusionMap *map : results.confusionMaps())
        rows = std::max(rows, map->size());
    if (rows == 0)
        return 0;
    return rows * cellMm * mm + 4.2 * lineOf(font(smallPoints));
}

void ReportPage::maps(const ChildResults &results, qreal cellMm)
{
    const QList<const ConfusionMap *> shown = results.confusionMaps();
    const qreal gap = 8 * mm;
    const qreal firstWidth = shown.size() > 1 ? area.width() * 0.6 : area.width();
    qreal x = area.left();
    qreal bottom = y;
    for (const ConfusionMap *map : shown) {
        const qreal width = map == shown.first() ? firstWidth : area.right() - x;
        QFont heading = font(bodyPoints, true);
        painter.setFont(heading);
        painter.setPen(ResultsColours::ink());
        const qreal line = lineOf(heading);
        painter.drawText(QRectF(x, y, width, line), Qt::AlignLeft | Qt::AlignVCenter, map->title());
        const QRectF used = ConfusionHeatMap(*map).draw(
            painter, QRectF(x, y + line * 1.3, width, area.bottom() - y), font(smallPoints),
            cellMm * mm);
        bottom = std::max(bottom, used.bottom());
        x += std::max(used.width(), width * 0.5) + gap;
    }
    y = bottom;
}

QStringList ReportPage::reviewLines(const ChildResults &results)
{
    const ReviewSchedule &review = results.review;
    if (review.everMissed() == 0)
        return {};
    QStringList lines;
    using Kind = ReviewSchedule::Kind;
    for (Kind kind : {Kind::Months, Kind::Days, Kind::CalendarMonths}) {
        QStringList toReview;
        QStringList secure;
        for (int number = 1; number <= ReviewSchedule::count(kind); ++number) {
            const ReviewSchedule::Item item{kind, number};
            if (review.state(item) == ReviewSchedule::State::ToReview)
                toReview << ReviewWords::item(item);
            else if (review.state(item) == ReviewSchedule::State::Secure)
                secure << ReviewWords::item(item);
        }
        if (toReview.isEmpty() && secure.isEmpty())
            continue;
        QStringList said;
        if (!toReview.isEmpty())
            said << QStringLiteral("da ripassare ") + toReview.join(QStringLiteral(", "));
        if (!secure.isEmpty())
            said << QStringLiteral("sicuri ") + secure.join(QStringLiteral(", "));
        lines << ReviewWords::kind(kind) + QStringLiteral(": ") + said.join(QStringLiteral("; "));
    }
    lines << QStringLiteral("Sicuri: %1. Prossimo ripasso: %2.")
                 .arg(ReviewWords::secure(review), ReviewWords::nextDue(review));
    return lines;
}

void ReportPage::review(const ChildResults &results)
{
    const QStringList lines = reviewLines(results);
    if (lines.isEmpty())
        return;
    title(QStringLiteral("Ripasso"));
    for (const QString &line : lines)
        text(line, font(bodyPoints), ResultsColours::ink());
}

void ReportPage::pairsAndCalendar(const ChildResults &results)
{
    const QList<ConfusedPair> pairs = results.confusedPairs();
    const bool names = !results.confusionMaps().isEmpty();
    const bool calendar = !results.exercise(AnswerWords::calendarExercise()).isEmpty();
    if (!names && !calendar)
        return;
    const qreal row = rowMm * mm * 0.92;
    const qreal top = y + 5 * mm;
    qreal bottom = top;
    const qreal half = (area.width() - 8 * mm) / 2;
    qreal x = area.left();
    const auto column = [&](const QString &title, const QList<std::pair<QString, QString>> &lines,
                            const QString &none, qreal width) {
        qreal y = top;
        painter.setFont(font(10.5, true));
        painter.setPen(ResultsColours::ink());
        painter.drawText(QRectF(x, y, width, row), Qt::AlignLeft | Qt::AlignVCenter, title);
        y += row + 1.5 * mm;
        painter.setFont(font(bodyPoints));
        if (lines.isEmpty()) {
            painter.setPen(ResultsColours::muted());
            painter.drawText(QRectF(x, y, width, row), Qt::AlignLeft | Qt::AlignVCenter, none);
            y += row;
        }
        for (const auto &[text, count] : lines) {
            painter.setPen(ResultsColours::ink());
            painter.drawText(QRectF(x, y, width, row), Qt::AlignLeft | Qt::AlignVCenter, text);
            if (!count.isEmpty())
                painter.drawText(QRectF(x, y, width, row), Qt::AlignRight | Qt::AlignVCenter,
                                 count);
            y += row;
        }
        bottom = std::max(bottom, y);
        x += width + 8 * mm;
    };
    if (names) {
        QList<std::pair<QString, QString>> lines;
        for (int i = 0; i < std::min(int(pairs.size()), pairsShown); ++i)
            lines.append({pairs.at(i).words(), QString()});
        if (pairs.size() > pairsShown) {
            const int rest = int(pairs.size()) - pairsShown;
            lines.append({rest == 1 ? QStringLiteral("e un'altra coppia, meno frequente")
                                    : QStringLiteral("e altre %1 coppie, meno frequenti").arg(rest),
                          QString()});
        }
        column(QStringLiteral("Nomi messi al posto di altri"), lines,
               QStringLiteral("Nessun nome messo al posto di un altro."),
               calendar ? half + 8 * mm : area.width());
    }
    if (calendar) {
        QList<std::pair<QString, QString>> lines;
        for (const CalendarMistakes::Kind kind : CalendarMistakes::all()) {
            const int count = results.calendar.count(kind);
            if (count > 0) {
                QString label = CalendarMistakes::label(kind);
                label[0] = label[0].toUpper();
                lines.append({label, timesInWords(count)});
            }
        }
        column(QStringLiteral("Giorni sbagliati nel calendario"), lines,
               QStringLiteral("Nessun giorno sbagliato."),
               names ? half - 8 * mm : area.width() / 2);
    }
    y = bottom;
}

void ReportPage::footer(const QString &name, int number, int count)
{
    const QFont small = font(smallPoints);
    const qreal line = lineOf(small);
    y = area.bottom() - line;
    rule(0.15, ResultsColours::grid());
    painter.setFont(small);
    painter.setPen(ResultsColours::muted());
    const QRectF box(area.left(), y + 0.5 * mm, area.width(), line);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Tempiolo · risultati di %1").arg(name));
    painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("pagina %1 di %2").arg(number).arg(count));
}
