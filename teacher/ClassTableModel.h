#pragma once

#include "Child.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>
#include <QStringList>

class ResultsAnalysis;

// The class at a glance: a row a child (their name and picture in the
// header), a column an exercise with the child's share of right answers
// and how many they gave, and the day each last played. Each cell reads as
// the sentence it stands for: "Marco, Riordina i mesi (1): 20 esatte su
// 25, 80 per cento".
class ClassTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ClassTableModel(QObject *parent = nullptr);

    // The analysis must outlive the model, or be replaced before it goes.
    void show(const QList<Child> &children, const ResultsAnalysis *analysis);
    QString childAt(int row) const;
    int rowOf(const QString &child) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant exerciseData(const Child &child, const QString &exercise, int role) const;
    QVariant lastPlayedData(const Child &child, int role) const;
    // The review: how many items are secure, or the day one is next due.
    QVariant reviewData(const Child &child, bool secure, int role) const;

    QList<Child> children_;
    QList<QIcon> pictures_;
    QStringList exercises_;
    const ResultsAnalysis *analysis_ = nullptr;
};
