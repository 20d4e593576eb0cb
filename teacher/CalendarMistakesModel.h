#pragma once

#include "CalendarMistakes.h"

#include <QAbstractTableModel>

// How a child's wrong days of the calendar were wrong, a row a kind, each
// read as "giorno giusto, mese sbagliato: 2 volte".
class CalendarMistakesModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CalendarMistakesModel(QObject *parent = nullptr);

    // None shows an empty table.
    void show(const CalendarMistakes *mistakes);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    CalendarMistakes mistakes_;
    bool shown_ = false;
};
