#include "ResultsTable.h"

#include "ShadeDelegate.h"

#include <QHeaderView>

ResultsTable::ResultsTable(const QString &name, QWidget *parent) : QTableView(parent)
{
    setObjectName(name);
    setAccessibleName(name);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new ShadeDelegate(this));
}

void ResultsTable::fitToContents()
{
    setVisible(model() && model()->rowCount() > 0);
    const int frame = 2 * frameWidth();
    const int top = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->sizeHint().height();
    setFixedSize(verticalHeader()->sizeHint().width() + horizontalHeader()->length() + frame,
                 top + verticalHeader()->length() + frame);
}
