#pragma once

#include "DailyChart.h"

#include <QWidget>

#include <optional>

// The chart of right and wrong answers day by day, on screen; screen
// readers read it as the list of its days.
class DailyChartView : public QWidget
{
    Q_OBJECT

public:
    explicit DailyChartView(QWidget *parent = nullptr);

    void setChart(const DailyChart &chart);
    void clear();

    QSize sizeHint() const override { return {520, 200}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<DailyChart> chart_;
};
