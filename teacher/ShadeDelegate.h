#pragma once

#include <QStyledItemDelegate>

// Shades the cells of the teacher's tables by what they count (a share of
// right answers, a count of wrong ones, a map's diagonal), with the text in
// black or white by contrast: the models hold the numbers, the shades are
// the delegate's.
class ShadeDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit ShadeDelegate(QObject *parent = nullptr);

    // The background of a cell, as the screen and the tests see it.
    static QColor shadeOf(const QModelIndex &index);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
