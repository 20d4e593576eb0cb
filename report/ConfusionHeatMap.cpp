#include "ConfusionHeatMap.h"

#include "FittedFont.h"
#include "Hatching.h"
#include "ResultsColours.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace {

qreal widest(const QFontMetricsF &metrics, const QStringList &texts)
{
    qreal most = 0;
    for (const QString &text : texts)
        most = std::max(most, metrics.horizontalAdvance(text));
    return most;
}

// Where everything goes, for a font.
struct Layout
{
    bool fullRowNames = true;
    bool fullColumnNames = false;
    qreal rowHeader = 0;
    qreal top = 0; // the axis title and the column names
    qreal cell = 0;
    qreal legend = 0;
};

} // namespace

ConfusionHeatMap::ConfusionHeatMap(const ConfusionMap &map) : map_(map) {}

QRectF ConfusionHeatMap::draw(QPainter &painter, const QRectF &rect, const QFont &font,
                              qreal largestCell) const
{
    const int n = map_.size();
    QStringList full, shortNames;
    for (int i = 0; i < n; ++i) {
        full.append(map_.name(i));
        shortNames.append(map_.abbreviation(i));
    }
    const QString rowsTitle = QStringLiteral("nome spostato");
    const QString columnsTitle = QStringLiteral("messo al posto di");

    const auto layoutFor = [&](const QFont &tried) {
        const QFontMetricsF metrics(tried, painter.device());
        const qreal line = metrics.height();
        const qreal pad = line * 0.4;
        // A cell holds a number of three digits with a little air.
        const qreal smallest =
            std::max(line * 1.15, metrics.horizontalAdvance(QStringLiteral("000")) + pad);
        Layout layout;
        layout.top = line * 2.4;
        layout.legend = line * 1.8;
        const qreal fullWidth =
            std::max(widest(metrics, full), metrics.horizontalAdvance(rowsTitle)) + pad;
        const qreal shortWidth = std::max(widest(metrics, shortNames), line * 2) + pad;
        layout.fullRowNames = (rect.width() - fullWidth) / n >= smallest;
        layout.rowHeader = layout.fullRowNames ? fullWidth : shortWidth;
        layout.cell = std::min((rect.width() - layout.rowHeader) / n,
                               (rect.height() - layout.top - layout.legend) / n);
        if (largestCell > 0)
            layout.cell = std::min(layout.cell, largestCell);
        layout.fullColumnNames = widest(metrics, full) + pad <= layout.cell;
        return std::pair{layout, smallest};
    };

    // The given font if the cells hold its numbers, else smaller ones.
    QFont used = font;
    auto [layout, smallest] = layoutFor(used);
    for (int attempt = 0; attempt < 4 && layout.cell < smallest && layout.cell > 0; ++attempt) {
        const qreal height = QFontMetricsF(used, painter.device()).height();
        used = fittedFont(used, painter.device(), height * std::max(0.5, layout.cell / smallest));
        std::tie(layout, smallest) = layoutFor(used);
    }
    if (layout.cell <= 0)
        return {};

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(used);
    const QFontMetricsF metrics(used, painter.device());
    const qreal line = metrics.height();
    const qreal thin = std::max(line / 16, 1.0);
    const QPointF origin(rect.left() + layout.rowHeader, rect.top() + layout.top);
    const qreal side = layout.cell * n;
    const auto cellRect = [&](int row, int column) {
        return QRectF(origin.x() + column * layout.cell, origin.y() + row * layout.cell,
                      layout.cell, layout.cell);
    };

    // Axis titles and names.
    painter.setPen(ResultsColours::muted());
    painter.drawText(QRectF(origin.x(), rect.top(), side, line), Qt::AlignHCenter | Qt::AlignTop,
                     columnsTitle);
    painter.drawText(QRectF(rect.left(), rect.top() + line, layout.rowHeader, line * 1.3),
                     Qt::AlignLeft | Qt::AlignBottom,
                     layout.fullRowNames ? rowsTitle : QStringLiteral("nome"));
    painter.setPen(ResultsColours::ink());
    const QStringList &columnNames = layout.fullColumnNames ? full : shortNames;
    const QStringList &rowNames = layout.fullRowNames ? full : shortNames;
    for (int i = 0; i < n; ++i) {
        painter.drawText(QRectF(rect.left(), origin.y() + i * layout.cell,
                                layout.rowHeader - line * 0.4, layout.cell),
                         Qt::AlignLeft | Qt::AlignVCenter, rowNames.at(i));
    }
    // The names over the columns a little smaller if need be, so that
    // neighbours never touch.
    const qreal needed = widest(metrics, columnNames) + line * 0.3;
    painter.setFont(needed > layout.cell
                        ? fittedFont(used, painter.device(), line * layout.cell / needed)
                        : used);
    for (int i = 0; i < n; ++i) {
        painter.drawText(
            QRectF(origin.x() + i * layout.cell, rect.top() + line, layout.cell, line * 1.3),
            Qt::AlignHCenter | Qt::AlignBottom, columnNames.at(i));
    }
    painter.setFont(used);

    // The cells, then the grid over them, then the diagonal's outline.
    const int most = map_.maxWrong();
    for (int row = 0; row < n; ++row) {
        for (int column = 0; column < n; ++column) {
            const QRectF cell = cellRect(row, column);
            const int count = map_.count(row, column);
            QColor text = ResultsColours::ink();
            if (row == column) {
                painter.fillRect(cell, ResultsColours::diagonal());
                hatch(painter, cell, ResultsColours::diagonalHatching(), layout.cell / 4, thin);
            } else if (count > 0) {
                const QColor shade = ResultsColours::forCount(count, most);
                painter.fillRect(cell, shade);
                text = ResultsColours::textOn(shade);
            }
            if (count > 0) {
                if (row == column) {
                    // A clear ground under the number, so the hatching never crosses it.
                    const qreal width =
                        metrics.horizontalAdvance(QString::number(count)) + line * 0.3;
                    painter.fillRect(QRectF(cell.center().x() - width / 2,
                                            cell.center().y() - line * 0.45, width, line * 0.9),
                                     ResultsColours::diagonal());
                }
                painter.setPen(text);
                painter.drawText(cell, Qt::AlignCenter, QString::number(count));
            }
        }
    }
    painter.setPen(QPen(ResultsColours::grid(), thin));
    for (int i = 0; i <= n; ++i) {
        painter.drawLine(QPointF(origin.x(), origin.y() + i * layout.cell),
                         QPointF(origin.x() + side, origin.y() + i * layout.cell));
        painter.drawLine(QPointF(origin.x() + i * layout.cell, origin.y()),
                         QPointF(origin.x() + i * layout.cell, origin.y() + side));
    }
    painter.setPen(QPen(ResultsColours::muted(), thin * 2));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < n; ++i)
        painter.drawRect(cellRect(i, i));
    painter.setPen(QPen(ResultsColours::ink(), thin * 1.5));
    painter.drawRect(QRectF(origin, QSizeF(side, side)));

    // The legend: what the diagonal holds, and the shades of the mistakes.
    const qreal swatch = metrics.ascent();
    qreal x = rect.left();
    const qreal baseline = origin.y() + side + line * 0.6 + metrics.ascent();
    const QRectF diagonalSwatch(x, baseline - swatch, swatch * 1.4, swatch);
    painter.fillRect(diagonalSwatch, ResultsColours::diagonal());
    hatch(painter, diagonalSwatch, ResultsColours::diagonalHatching(), swatch / 3, thin);
    painter.setPen(QPen(ResultsColours::muted(), thin * 2));
    painter.drawRect(diagonalSwatch);
    x = diagonalSwatch.right() + line * 0.3;
    painter.setPen(ResultsColours::ink());
    const QString rightText = QStringLiteral("esatte");
    painter.drawText(QPointF(x, baseline), rightText);
    x += metrics.horizontalAdvance(rightText) + line;
    if (most > 0) {
        const QString wrongText = QStringLiteral("errate: 1");
        painter.drawText(QPointF(x, baseline), wrongText);
        x += metrics.horizontalAdvance(wrongText) + line * 0.3;
        const int shades = std::min(most, 5);
        for (int i = 0; i < shades; ++i) {
            const int count = 1 + (most - 1) * i / std::max(1, shades - 1);
            const QRectF box(x, baseline - swatch, swatch, swatch);
            painter.fillRect(box, ResultsColours::forCount(count, most));
            painter.setPen(QPen(ResultsColours::grid(), thin));
            painter.drawRect(box);
            x += swatch;
        }
        painter.setPen(ResultsColours::ink());
        if (most > 1)
            painter.drawText(QPointF(x + line * 0.3, baseline), QString::number(most));
    }
    painter.restore();
    const qreal usedWidth = std::max(layout.rowHeader + side, x - rect.left());
    return QRectF(rect.topLeft(),
                  QSizeF(std::min(usedWidth, rect.width()), layout.top + side + layout.legend));
}
