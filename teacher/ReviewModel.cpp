#include "ReviewModel.h"

#include "ResultsRoles.h"
#include "ReviewWords.h"

#include <array>

namespace {

using Kind = ReviewSchedule::Kind;
constexpr std::array<Kind, 3> kinds = {Kind::Months, Kind::Days, Kind::CalendarMonths};

} // namespace

ReviewModel::ReviewModel(QObject *parent) : QAbstractTableModel(parent) {}

void ReviewModel::show(const ReviewSchedule *review)
{
    beginResetModel();
    review_ = review ? *review : ReviewSchedule({}, QDate());
    shown_ = review != nullptr;
    endResetModel();
}

int ReviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !shown_ ? 0 : int(kinds.size());
}

int ReviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 12;
}

QVariant ReviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Kind kind = kinds[std::size_t(index.row())];
    if (index.column() >= ReviewSchedule::count(kind))
        return {};
    const ReviewSchedule::Item item{kind, index.column() + 1};
    const ReviewSchedule::State state = review_.state(item);
    switch (role) {
    case Qt::DisplayRole:
        // The name, and under it the state unless it was never missed.
        return ReviewWords::item(item).left(3) + (state == ReviewSchedule::State::New
                                                      ? QString()
                                                      : u'\n' + ReviewWords::state(state));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return ReviewWords::sentence(review_, item);
    case ResultsRoles::Review:
        return int(state);
    default:
        return {};
    }
}

QVariant ReviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Vertical || section < 0 ||
        section >= rowCount())
        return {};
    return ReviewWords::kind(kinds[std::size_t(section)]);
}
