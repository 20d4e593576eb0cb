#pragma once

#include <QTableView>

// A table of results the teacher reads: not editable, each cell shaded by
// what it counts with its text in black or white by contrast, and read by
// a screen reader as the sentence it stands for.
class ResultsTable : public QTableView
{
    Q_OBJECT

public:
    // `name`: what screen readers call the table.
    explicit ResultsTable(const QString &name, QWidget *parent = nullptr);

    // Shown whole, at the size of its cells, without scroll bars of its own;
    // hidden while its model is empty.
    void fitToContents();
};
