#include "DailyChartView.h"

#include <QPainter>

DailyChartView::DailyChartView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("grafico"));
    setAccessibleName(QStringLiteral("Esatte e sbagliate giorno per giorno"));
    setMinimumHeight(160);
    setFocusPolicy(Qt::TabFocus);
}

void DailyChartView::setChart(const DailyChart &chart)
{
    chart_ = chart;
    setAccessibleDescription(chart.isEmpty() ? QStringLiteral("nessuna risposta")
                                             : chart.description());
    update();
}

void DailyChartView::clear()
{
    chart_.reset();
    setAccessibleDescription(QString());
    update();
}

void DailyChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!chart_ || chart_->isEmpty()) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Nessuna risposta nel periodo"));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    chart_->draw(painter, QRectF(rect()).adjusted(8, 8, -8, -8), font());
}
