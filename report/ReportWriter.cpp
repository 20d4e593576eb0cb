#include "ReportWriter.h"

#include "DailyChart.h"
#include "ReportPage.h"
#include "ResultsColours.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

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
        ReportPage page(painter, area, dotsPerMm);
        QStringList about;
        if (!className_.isEmpty())
            about.append(QStringLiteral("Classe %1").arg(className_));
        about.append(QStringLiteral("Periodo: %1, %2").arg(period.name(), period.dates()));
        about.append(QStringLiteral("Stampato il %1").arg(ReportPage::longDate(printed)));
        const QString played = results.lastPlayed.isValid()
                                   ? QStringLiteral("Ha giocato l'ultima volta %1.")
                                         .arg(ReportPage::longDate(results.lastPlayed, true))
                                   : QStringLiteral("Non ha ancora giocato.");
        page.heading(child.name, about.join(QStringLiteral("   ·   ")), played);

        if (results.total.isEmpty()) {
            page.y += 8 * page.mm;
            page.text(QStringLiteral("Nessuna risposta nel periodo scelto."),
                      page.font(ReportPage::bodyPoints + 1), ResultsColours::muted());
        } else {
            page.title(QStringLiteral("Esercizi"));
            page.exerciseTable(analysis_, results);

            // The chart takes what the other parts leave, within bounds.
            const int pairLines =
                std::max(std::min(int(results.confusedPairs().size()), ReportPage::pairsShown + 1),
                         CalendarMistakes::kinds);
            qreal cellMm = 5.6;
            const qreal footerRoom = 10 * page.mm;
            const qsizetype reviewLines = ReportPage::reviewLines(results).size();
            const qreal rest = 6.5 * page.mm + (pairLines + 1) * ReportPage::rowMm * page.mm +
                               (reviewLines ? 8.5 * page.mm + reviewLines * 4.2 * page.mm : 0) +
                               footerRoom;
            qreal chart = page.left() - 2 * 8.5 * page.mm - page.mapsHeight(results, cellMm) - rest;
            while (chart < 32 * page.mm && cellMm > 4) {
                cellMm -= 0.2;
                chart = page.left() - 2 * 8.5 * page.mm - page.mapsHeight(results, cellMm) - rest;
            }
            chart = std::clamp(chart, 30 * page.mm, 55 * page.mm);
            page.title(QStringLiteral("Esatte ed errate, giorno per giorno"));
            DailyChart(results.days, period)
                .draw(painter, QRectF(page.area.left(), page.y, page.area.width(), chart),
                      page.font(ReportPage::smallPoints));
            page.y += chart;

            if (!results.confusionMaps().isEmpty()) {
                page.title(QStringLiteral("Quale nome è stato messo al posto di quale"));
                page.maps(results, cellMm);
            }
            page.pairsAndCalendar(results);
            page.review(results);
        }
        page.footer(child.name, i + 1, int(children.size()));
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
