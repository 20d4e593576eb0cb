#include "AccessibleMonth.h"

#include "MonthCalendar.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTableView>

namespace {

// Qt numbers a table view's children as a grid one row and one column
// larger than its model: the headers come first. The calendar's model has
// the weekdays in its own first row and the six weeks below.
constexpr int modelColumns = 7;
constexpr int modelRows = 7;
constexpr int slotsPerRow = modelColumns + 1;

class MonthGrid;

class DayCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    DayCell(MonthGrid *grid, int modelRow, int column)
        : grid_(grid), modelRow_(modelRow), column_(column)
    {
    }

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override
    {
        return isHeader() ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableCellInterface && !isHeader()
                   ? static_cast<QAccessibleTableCellInterface *>(this)
                   : nullptr;
    }

    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return modelRow_ - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

    bool isHeader() const { return modelRow_ == 0; }
    QDate date() const;

private:
    MonthGrid *grid_;
    const int modelRow_;
    const int column_;
};

class MonthGrid : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit MonthGrid(QTableView *view) : QAccessibleWidget(view, QAccessible::Table) {}

    ~MonthGrid() override
    {
        for (QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
    }

    QTableView *view() const { return static_cast<QTableView *>(widget()); }
    MonthCalendar *calendar() const { return qobject_cast<MonthCalendar *>(view()->parent()); }

    // The cell of the model's row and column, made once and kept.
    DayCell *cell(int modelRow, int column) const
    {
        if (modelRow < 0 || modelRow >= modelRows || column < 0 || column >= modelColumns)
            return nullptr;
        const int key = modelRow * modelColumns + column;
        if (const auto found = cells_.constFind(key); found != cells_.constEnd())
            return static_cast<DayCell *>(QAccessible::accessibleInterface(*found));
        auto *made = new DayCell(const_cast<MonthGrid *>(this), modelRow, column);
        cells_.insert(key, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && calendar())
            return calendar()->shownMonthName();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return (modelRows + 1) * slotsPerRow; }
    QAccessibleInterface *child(int index) const override
    {
        return cell(index / slotsPerRow - 1, index % slotsPerRow - 1);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (auto it = cells_.constBegin(); it != cells_.constEnd(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child)
                return MonthCalendar::accessibleChild(it.key() / modelColumns,
                                                      it.key() % modelColumns);
        }
        return -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        return view()->hasFocus() && current.isValid() ? cell(current.row(), current.column())
                                                       : nullptr;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint at = view()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex index = view()->indexAt(at);
        return index.isValid() ? cell(index.row(), index.column()) : nullptr;
    }
    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        return cell(row + 1, column);
    }
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> selected;
        for (const QModelIndex &index : view()->selectionModel()->selectedIndexes()) {
            if (index.row() > 0)
                selected << cell(index.row(), index.column());
        }
        return selected;
    }
    QString columnDescription(int column) const override
    {
        DayCell *header = cell(0, column);
        return header ? header->text(QAccessible::Name) : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return modelColumns; }
    int rowCount() const override { return modelRows - 1; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    mutable QHash<int, QAccessible::Id> cells_;
};

bool DayCell::isValid() const
{
    return grid_->isValid() && grid_->calendar();
}

QWindow *DayCell::window() const
{
    return grid_->window();
}

QAccessibleInterface *DayCell::parent() const
{
    return grid_;
}

QAccessibleInterface *DayCell::table() const
{
    return grid_;
}

QList<QAccessibleInterface *> DayCell::columnHeaderCells() const
{
    // The date already says its weekday; a screen reader would say it twice.
    return {};
}

QDate DayCell::date() const
{
    return grid_->calendar()->dateAt(modelRow_ - 1, column_);
}

QString DayCell::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name || !isValid())
        return {};
    if (isHeader())
        return grid_->calendar()->weekdayName(column_);
    return grid_->calendar()->spokenDate(date());
}

QRect DayCell::rect() const
{
    if (!isValid())
        return {};
    QTableView *view = grid_->view();
    const QRect cell = view->visualRect(view->model()->index(modelRow_, column_));
    return QRect(view->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State DayCell::state() const
{
    QAccessible::State state;
    if (!isValid())
        return state;
    QTableView *view = grid_->view();
    if (!view->isVisible())
        state.invisible = true;
    if (isHeader())
        return state;
    const QModelIndex index = view->model()->index(modelRow_, column_);
    state.focusable = true;
    state.selectable = true;
    state.selected = date() == grid_->calendar()->selectedDate();
    state.focused = view->hasFocus() && view->currentIndex() == index;
    return state;
}

} // namespace

namespace AccessibleMonth {

QAccessibleInterface *grid(QObject *object)
{
    // Qt's view class is private: the calendar's grid is its table view.
    // Qt asks for it while the calendar is still being built, before it is
    // a MonthCalendar; the grid finds its calendar when it is read.
    auto *view = qobject_cast<QTableView *>(object);
    if (view && qobject_cast<QCalendarWidget *>(view->parent()))
        return new MonthGrid(view);
    return nullptr;
}

} // namespace AccessibleMonth
