#pragma once

#include <QTableWidget>

class ConfusionMap;

// A table of results the teacher reads: not editable, each cell shaded
// with its text in black or white by contrast, and read by a screen reader
// as the sentence it stands for.
class ResultsTable : public QTableWidget
{
    Q_OBJECT

public:
    // `name`: what screen readers call the table.
    explicit ResultsTable(const QString &name, QWidget *parent = nullptr);

    static QTableWidgetItem *cell(const QString &text, const QColor &background,
                                  const QString &spoken);

    // A confusion map: the names moved down the side, the places across the
    // top, each cell with its count, shaded by it; the diagonal, the right
    // answers, apart. A set of names not played shows nothing.
    void showMap(const ConfusionMap *map);
};
