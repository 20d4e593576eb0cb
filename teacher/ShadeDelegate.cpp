#include "ShadeDelegate.h"

#include "ResultsColours.h"
#include "ResultsRoles.h"

ShadeDelegate::ShadeDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QColor ShadeDelegate::shadeOf(const QModelIndex &index)
{
    if (const QVariant review = index.data(ResultsRoles::Review); review.isValid())
        return ResultsColours::forReview(review.toInt());
    if (index.data(ResultsRoles::Diagonal).toBool())
        return ResultsColours::diagonal();
    if (const QVariant share = index.data(ResultsRoles::Share); share.isValid())
        return ResultsColours::forShare(share.toDouble());
    if (const QVariant count = index.data(ResultsRoles::Count); count.isValid())
        return ResultsColours::forCount(count.toInt(), index.data(ResultsRoles::MostCount).toInt());
    return Qt::white;
}

void ShadeDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QColor shade = shadeOf(index);
    option->backgroundBrush = shade;
    option->palette.setBrush(QPalette::Text, ResultsColours::textOn(shade));
    option->displayAlignment = Qt::AlignCenter;
}
