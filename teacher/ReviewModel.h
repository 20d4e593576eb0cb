#pragma once

#include "ReviewSchedule.h"

#include <QAbstractTableModel>

// One child's review as a table: a row for the months' places, one for the
// days' and one for finding a date in each month of the calendar; each
// cell a name and its state, read as "LUGLIO: da ripassare".
class ReviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ReviewModel(QObject *parent = nullptr);

    // None shows an empty table.
    void show(const ReviewSchedule *review);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ReviewSchedule review_{{}, QDate()};
    bool shown_ = false;
};
