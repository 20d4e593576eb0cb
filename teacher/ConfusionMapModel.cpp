#include "ConfusionMapModel.h"

#include "ResultsRoles.h"

ConfusionMapModel::ConfusionMapModel(QObject *parent) : QAbstractTableModel(parent) {}

void ConfusionMapModel::show(const ConfusionMap *map)
{
    beginResetModel();
    map_ = map ? *map : ConfusionMap(map_.set());
    endResetModel();
}

int ConfusionMapModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || map_.isEmpty() ? 0 : map_.size();
}

int ConfusionMapModel::columnCount(const QModelIndex &parent) const
{
    return rowCount(parent);
}

QVariant ConfusionMapModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int asked = index.row();
    const int given = index.column();
    const int count = map_.count(asked, given);
    switch (role) {
    case Qt::DisplayRole:
        return count ? QString::number(count) : QString();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return map_.cellDescription(asked, given);
    case ResultsRoles::Diagonal:
        return asked == given;
    case ResultsRoles::Count:
        return count;
    case ResultsRoles::MostCount:
        return map_.maxWrong();
    default:
        return {};
    }
}

QVariant ConfusionMapModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0 || section >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return map_.abbreviation(section);
    case Qt::ToolTipRole:
        return orientation == Qt::Vertical ? map_.name(section) + QStringLiteral(" spostato")
                                           : QStringLiteral("al posto di ") + map_.name(section);
    default:
        return {};
    }
}
