#include "ReportWriter.h"

#include "ConfusionHeatMap.h"
#include "DailyChart.h"
#include "ResultsColours.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

const QLocale italian(QLocale::Italian, QLocale::Italy);

QString longDate(QDate day)
{
    return italian.toString(day, QStringLiteral("d MMMM yyyy"));
}

QString percent(const Tally &tally)
{
    return tally.isEmpty() ? QStringLiteral("—")
                           : QStringLiteral("%1%").arg(qRound(tally.share() * 100));
}

// A page being drawn: its area inside the margins, in the device's units,
// and how far down it is filled.
class Page
{
public:
    Page(QPainter &painter, const QRectF &area, qreal dotsPerMm)
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

    QPainter &painter;
    const QRectF area;
    const qreal mm;
    qreal y;
};

constexpr qreal bodyPoints = 9;
constexpr qreal smallPoints = 7.5;
constexpr qreal rowMm = 5.2;

void heading(Page &page, const QString &name, const QString &about, const QString &played)
{
    QFont brand = page.font(smallPoints, true);
    brand.setLetterSpacing(QFont::PercentageSpacing, 112);
    page.text(QStringLiteral("TEMPIOLO · I GIORNI DELLA SETTIMANA E I MESI DELL'ANNO"), brand,
              ResultsColours::muted());
    page.y += 2 * page.mm;
    page.text(name, page.font(22, true), ResultsColours::ink());
    page.y += 1 * page.mm;
    page.text(about, page.font(bodyPoints), ResultsColours::muted());
    page.text(played, page.font(bodyPoints), ResultsColours::ink());
    page.y += 2.5 * page.mm;
    page.rule(0.35, ResultsColours::ink());
}

void exerciseTable(Page &page, const ResultsAnalysis &analysis, const ChildResults &results)
{
    QPainter &painter = page.painter;
    const QRectF &area = page.area;
    const qreal row = rowMm * page.mm;
    const qreal pad = 1.5 * page.mm;
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
            const QRectF box = cell(column, page.y);
            QColor ink = ResultsColours::ink();
            if (column == 3 && shaded && !shaded->isEmpty()) {
                // A chip under the number, about as wide as the header above it.
                const QColor shade = ResultsColours::forShare(shaded->share());
                const qreal chip = 24 * page.mm;
                painter.fillRect(QRectF(box.right() - chip, box.top() + 0.4 * page.mm, chip,
                                        box.height() - 0.8 * page.mm),
                                 shade);
                ink = ResultsColours::textOn(shade);
            }
            painter.setPen(ink);
            painter.drawText(box.adjusted(pad, 0, -pad, 0),
                             (column == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                             texts.at(column));
        }
        page.y += row;
    };

    line({QStringLiteral("Esercizio"), QStringLiteral("Esatte"), QStringLiteral("Risposte"),
          QStringLiteral("Percentuale")},
         page.font(bodyPoints, true), nullptr);
    page.rule(0.25, ResultsColours::ink());
    for (const QString &exercise : analysis.exercises()) {
        const Tally tally = results.exercise(exercise);
        if (tally.isEmpty())
            continue;
        line({exercise, QString::number(tally.right), QString::number(tally.answers),
              percent(tally)},
             page.font(bodyPoints), &tally);
        page.rule(0.1, ResultsColours::grid());
    }
    page.rule(0.25, ResultsColours::ink());
    line({QStringLiteral("Tutti gli esercizi"), QString::number(results.total.right),
          QString::number(results.total.answers), percent(results.total)},
         page.font(bodyPoints, true), &results.total);
}

// The height the maps take with cells of `cellMm`, as ConfusionHeatMap lays them out.
qreal mapsHeight(const Page &page, const ChildResults &results, qreal cellMm)
{
    int rows = 0;
    for (const ConfusionMap *map : results.confusionMaps())
        rows = std::max(rows, map->size());
    if (rows == 0)
        return 0;
    return rows * cellMm * page.mm + 4.2 * page.lineOf(page.font(smallPoints));
}

void maps(Page &page, const ChildResults &results, qreal cellMm)
{
    const QList<const ConfusionMap *> shown = results.confusionMaps();
    const qreal gap = 8 * page.mm;
    const qreal firstWidth = shown.size() > 1 ? page.area.width() * 0.6 : page.area.width();
    qreal x = page.area.left();
    qreal bottom = page.y;
    for (const ConfusionMap *map : shown) {
        const qreal width = map == shown.first() ? firstWidth : page.area.right() - x;
        QFont heading = page.font(bodyPoints, true);
        page.painter.setFont(heading);
        page.painter.setPen(ResultsColours::ink());
        const qreal line = page.lineOf(heading);
        page.painter.drawText(QRectF(x, page.y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                              map->title());
        const QRectF used = ConfusionHeatMap(*map).draw(
            page.painter, QRectF(x, page.y + line * 1.3, width, page.area.bottom() - page.y),
            page.font(smallPoints), cellMm * page.mm);
        bottom = std::max(bottom, used.bottom());
        x += std::max(used.width(), width * 0.5) + gap;
    }
    page.y = bottom;
}

void pairsAndCalendar(Page &page, const ChildResults &results)
{
    const QList<ConfusedPair> pairs = results.confusedPairs();
    const bool names = !results.confusionMaps().isEmpty();
    const bool calendar = !results.exercise(ResultsAnalysis::calendarExercise()).isEmpty();
    if (!names && !calendar)
        return;
    QPainter &painter = page.painter;
    const qreal row = rowMm * page.mm * 0.92;
    const qreal top = page.y + 5 * page.mm;
    qreal bottom = top;
    const qreal half = (page.area.width() - 8 * page.mm) / 2;
    qreal x = page.area.left();
    const auto column = [&](const QString &title, const QList<std::pair<QString, QString>> &lines,
                            const QString &none, qreal width) {
        qreal y = top;
        painter.setFont(page.font(10.5, true));
        painter.setPen(ResultsColours::ink());
        painter.drawText(QRectF(x, y, width, row), Qt::AlignLeft | Qt::AlignVCenter, title);
        y += row + 1.5 * page.mm;
        painter.setFont(page.font(bodyPoints));
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
        x += width + 8 * page.mm;
    };
    if (names) {
        QList<std::pair<QString, QString>> lines;
        for (int i = 0; i < std::min(int(pairs.size()), ReportWriter::pairsShown); ++i)
            lines.append({pairs.at(i).words(), QString()});
        if (pairs.size() > ReportWriter::pairsShown) {
            const int rest = int(pairs.size()) - ReportWriter::pairsShown;
            lines.append({rest == 1 ? QStringLiteral("e un'altra coppia, meno frequente")
                                    : QStringLiteral("e altre %1 coppie, meno frequenti").arg(rest),
                          QString()});
        }
        column(QStringLiteral("Nomi messi al posto di altri"), lines,
               QStringLiteral("Nessun nome messo al posto di un altro."),
               calendar ? half + 8 * page.mm : page.area.width());
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
               names ? half - 8 * page.mm : page.area.width() / 2);
    }
    page.y = bottom;
}

void footer(Page &page, const QString &name, int number, int count)
{
    const QFont font = page.font(smallPoints);
    const qreal line = page.lineOf(font);
    page.y = page.area.bottom() - line;
    page.rule(0.15, ResultsColours::grid());
    page.painter.setFont(font);
    page.painter.setPen(ResultsColours::muted());
    const QRectF box(page.area.left(), page.y + 0.5 * page.mm, page.area.width(), line);
    page.painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                          QStringLiteral("Tempiolo · risultati di %1").arg(name));
    page.painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                          QStringLiteral("pagina %1 di %2").arg(number).arg(count));
}

} // namespace

ReportWriter::ReportWriter(const ResultsAnalysis &analysis) : analysis_(analysis) {}

bool ReportWriter::write(QPagedPaintDevice &device, const QList<Child> &children,
                         QString *error) const
{
    if (children.isEmpty()) {
        *error = QStringLiteral("Non c'è nessun bambino da stampare.");
        return false;
    }
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(18, 16, 18, 14), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device)) {
        *error = QStringLiteral("La stampa non si può iniziare.");
        return false;
    }
    const qreal dotsPerMm = device.logicalDpiY() / 25.4;
    const QRectF area(0, 0, device.width(), device.height());
    const ResultsPeriod &period = analysis_.period();
    const QDate printed = printedOn_.isValid() ? printedOn_ : period.today();
    for (int i = 0; i < children.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            *error = QStringLiteral("La pagina %1 non si può aggiungere.").arg(i + 1);
            return false;
        }
        const Child &child = children.at(i);
        const ChildResults &results = analysis_.child(child.id);
        Page page(painter, area, dotsPerMm);
        QStringList about;
        if (!className_.isEmpty())
            about.append(QStringLiteral("Classe %1").arg(className_));
        about.append(QStringLiteral("Periodo: %1, %2").arg(period.name(), period.dates()));
        about.append(QStringLiteral("Stampato il %1").arg(longDate(printed)));
        const QString played =
            results.lastPlayed.isValid()
                ? QStringLiteral("Ha giocato l'ultima volta %1.")
                      .arg(italian.toString(results.lastPlayed, QStringLiteral("dddd d MMMM yyyy")))
                : QStringLiteral("Non ha ancora giocato.");
        heading(page, child.name, about.join(QStringLiteral("   ·   ")), played);

        if (results.total.isEmpty()) {
            page.y += 8 * page.mm;
            page.text(QStringLiteral("Nessuna risposta nel periodo scelto."),
                      page.font(bodyPoints + 1), ResultsColours::muted());
        } else {
            page.title(QStringLiteral("Esercizi"));
            exerciseTable(page, analysis_, results);

            // The chart takes what the other parts leave, within bounds.
            const int pairLines =
                std::max(std::min(int(results.confusedPairs().size()), pairsShown + 1),
                         CalendarMistakes::kinds);
            qreal cellMm = 5.6;
            const qreal footerRoom = 10 * page.mm;
            const qreal rest = 6.5 * page.mm + (pairLines + 1) * rowMm * page.mm + footerRoom;
            qreal chart =
                page.left() - 2 * 8.5 * page.mm - mapsHeight(page, results, cellMm) - rest;
            while (chart < 32 * page.mm && cellMm > 4) {
                cellMm -= 0.2;
                chart = page.left() - 2 * 8.5 * page.mm - mapsHeight(page, results, cellMm) - rest;
            }
            chart = std::clamp(chart, 30 * page.mm, 55 * page.mm);
            page.title(QStringLiteral("Esatte ed errate, giorno per giorno"));
            DailyChart(results.days, period)
                .draw(painter, QRectF(page.area.left(), page.y, page.area.width(), chart),
                      page.font(smallPoints));
            page.y += chart;

            if (!results.confusionMaps().isEmpty()) {
                page.title(QStringLiteral("Quale nome è stato messo al posto di quale"));
                maps(page, results, cellMm);
            }
            pairsAndCalendar(page, results);
        }
        footer(page, child.name, i + 1, int(children.size()));
    }
    painter.end();
    return true;
}

bool ReportWriter::savePdf(const QString &path, const QList<Child> &children, QString *error) const
{
    QPdfWriter pdf(path);
    pdf.setResolution(600);
    pdf.setCreator(QStringLiteral("Tempiolo"));
    pdf.setTitle(children.size() == 1 ? QStringLiteral("Risultati di %1").arg(children.first().name)
                                      : QStringLiteral("Risultati della classe"));
    QString problem;
    if (write(pdf, children, &problem))
        return true;
    // The writer opens its file as painting begins, so that is what failed.
    *error =
        children.isEmpty()
            ? problem
            : QStringLiteral("Il file %1 non si può scrivere.").arg(QFileInfo(path).fileName());
    return false;
}
