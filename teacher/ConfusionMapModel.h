#pragma once

#include "ConfusionMap.h"

#include <QAbstractTableModel>

// A confusion map as a table: the names moved down the side, the places
// across the top, each cell with its count; the diagonal, the right
// answers, apart. Each cell reads as a sentence: "LUGLIO messo al posto di
// GIUGNO: 4 volte".
class ConfusionMapModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ConfusionMapModel(QObject *parent = nullptr);

    // None, or a map the child has not played, shows an empty table.
    void show(const ConfusionMap *map);
    bool isEmpty() const { return map_.isEmpty(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ConfusionMap map_;
};
