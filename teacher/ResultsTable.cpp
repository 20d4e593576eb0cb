#include "ResultsTable.h"

#include "ConfusionMap.h"
#include "ResultsColours.h"

#include <QHeaderView>

ResultsTable::ResultsTable(const QString &name, QWidget *parent) : QTableWidget(parent)
{
    setObjectName(name);
    setAccessibleName(name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QTableWidgetItem *ResultsTable::cell(const QString &text, const QColor &background,
                                     const QString &spoken)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setBackground(background);
    item->setForeground(ResultsColours::textOn(background));
    item->setData(Qt::AccessibleTextRole, spoken);
    item->setToolTip(spoken);
    return item;
}

void ResultsTable::showMap(const ConfusionMap *map)
{
    clear();
    // A set of names the child has not played shows no map.
    setVisible(map && !map->isEmpty());
    const int n = map ? map->size() : 0;
    setRowCount(n);
    setColumnCount(n);
    for (int i = 0; i < n; ++i) {
        auto *down = new QTableWidgetItem(map->abbreviation(i));
        down->setToolTip(map->name(i) + QStringLiteral(" spostato"));
        setVerticalHeaderItem(i, down);
        auto *across = new QTableWidgetItem(map->abbreviation(i));
        across->setToolTip(QStringLiteral("al posto di ") + map->name(i));
        setHorizontalHeaderItem(i, across);
    }
    for (int asked = 0; asked < n; ++asked) {
        for (int given = 0; given < n; ++given) {
            const int count = map->count(asked, given);
            const QColor background = asked == given
                                          ? ResultsColours::diagonal()
                                          : ResultsColours::forCount(count, map->maxWrong());
            setItem(asked, given,
                    cell(count ? QString::number(count) : QString(), background,
                         map->cellDescription(asked, given)));
        }
    }
    const int frame = 2 * frameWidth();
    setFixedSize(verticalHeader()->sizeHint().width() + horizontalHeader()->length() + frame,
                 horizontalHeader()->sizeHint().height() + verticalHeader()->length() + frame);
}
