#include "CalendarMistakesModel.h"

#include "ConfusedPair.h"

CalendarMistakesModel::CalendarMistakesModel(QObject *parent) : QAbstractTableModel(parent) {}

void CalendarMistakesModel::show(const CalendarMistakes *mistakes)
{
    beginResetModel();
    mistakes_ = mistakes ? *mistakes : CalendarMistakes();
    shown_ = mistakes != nullptr;
    endResetModel();
}

int CalendarMistakesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !shown_ ? 0 : CalendarMistakes::kinds;
}

int CalendarMistakesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant CalendarMistakesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const auto kind = CalendarMistakes::all().at(index.row());
    const int times = mistakes_.count(kind);
    switch (role) {
    case Qt::DisplayRole:
        return QString::number(times);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return CalendarMistakes::label(kind) + QStringLiteral(": ") + timesInWords(times);
    default:
        return {};
    }
}

QVariant CalendarMistakesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section == 0 ? QVariant(QStringLiteral("Volte")) : QVariant();
    if (section < 0 || section >= rowCount())
        return {};
    return CalendarMistakes::label(CalendarMistakes::all().at(section));
}
