#include "ClassTableModel.h"

#include "AnswerWords.h"
#include "ChildPictures.h"
#include "Pictures.h"
#include "ResultsAnalysis.h"
#include "ResultsRoles.h"
#include "ReviewWords.h"

#include <QHash>
#include <QLocale>

namespace {

// Short enough for a column heading; the full name is the tooltip.
QString shortName(const QString &caption)
{
    static const QHash<QString, QString> shortNames{
        {QStringLiteral("Riordina i giorni (1)"), QStringLiteral("Giorni (1)")},
        {QStringLiteral("Riordina i giorni (2)"), QStringLiteral("Giorni (2)")},
        {QStringLiteral("Ciclo dei giorni"), QStringLiteral("Ciclo giorni")},
        {QStringLiteral("Riordina i mesi (1)"), QStringLiteral("Mesi (1)")},
        {QStringLiteral("Riordina i mesi (2)"), QStringLiteral("Mesi (2)")},
        {QStringLiteral("Ciclo dei mesi"), QStringLiteral("Ciclo mesi")},
        {QStringLiteral("Usa il calendario"), QStringLiteral("Calendario")},
    };
    return shortNames.value(caption, caption);
}

} // namespace

ClassTableModel::ClassTableModel(QObject *parent)
    : QAbstractTableModel(parent), exercises_(AnswerWords::menuExercises())
{
}

void ClassTableModel::show(const QList<Child> &children, const ResultsAnalysis *analysis)
{
    beginResetModel();
    children_ = children;
    pictures_.clear();
    for (const Child &child : children_) {
        const ChildPicture *picture = ChildPictures::find(child.picture);
        pictures_.append(picture ? Pictures::icon(picture->resource) : QIcon());
    }
    analysis_ = analysis;
    endResetModel();
}

QString ClassTableModel::childAt(int row) const
{
    return row >= 0 && row < children_.size() ? children_.at(row).id : QString();
}

int ClassTableModel::rowOf(const QString &child) const
{
    for (int row = 0; row < children_.size(); ++row) {
        if (children_.at(row).id == child)
            return row;
    }
    return -1;
}

int ClassTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(children_.size());
}

int ClassTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(exercises_.size()) + 3;
}

QVariant ClassTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !analysis_ || index.row() >= children_.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    const Child &child = children_.at(index.row());
    if (index.column() < exercises_.size())
        return exerciseData(child, exercises_.at(index.column()), role);
    if (index.column() == exercises_.size())
        return lastPlayedData(child, role);
    return reviewData(child, index.column() == exercises_.size() + 1, role);
}

QVariant ClassTableModel::exerciseData(const Child &child, const QString &exercise, int role) const
{
    const Tally tally = analysis_->child(child.id).exercise(exercise);
    const int percent = qRound(tally.share() * 100);
    switch (role) {
    case Qt::DisplayRole:
        return tally.isEmpty() ? QStringLiteral("—")
                               : QStringLiteral("%1 % (%2)").arg(percent).arg(tally.answers);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole: {
        const QString spoken = child.name + QStringLiteral(", ") +
                               AnswerWords::exerciseCaption(exercise) + QStringLiteral(": ");
        if (tally.isEmpty())
            return spoken + QStringLiteral("nessuna risposta");
        return spoken + QStringLiteral("%1 esatte su %2, %3 per cento")
                            .arg(tally.right)
                            .arg(tally.answers)
                            .arg(percent);
    }
    case ResultsRoles::Share:
        return tally.isEmpty() ? QVariant() : QVariant(tally.share());
    default:
        return {};
    }
}

QVariant ClassTableModel::lastPlayedData(const Child &child, int role) const
{
    const QDate last = analysis_->child(child.id).lastPlayed;
    const QString shown = last.isValid() ? QLocale().toString(last, QStringLiteral("d/M/yyyy"))
                                         : QStringLiteral("mai");
    switch (role) {
    case Qt::DisplayRole:
        return shown;
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return child.name + QStringLiteral(", ultima volta: ") + shown;
    default:
        return {};
    }
}

QVariant ClassTableModel::reviewData(const Child &child, bool secure, int role) const
{
    const ReviewSchedule &review = analysis_->child(child.id).review;
    const QString shown = secure ? ReviewWords::secure(review) : ReviewWords::nextDue(review);
    switch (role) {
    case Qt::DisplayRole:
        return shown;
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        if (secure)
            return child.name + QStringLiteral(", ripasso: ") +
                   (review.everMissed() ? shown : QStringLiteral("niente da ripassare"));
        return child.name + QStringLiteral(", prossimo ripasso: ") +
               (review.nextDue().isValid() ? shown : QStringLiteral("nessuno"));
    default:
        return {};
    }
}

QVariant ClassTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (section < 0 || section >= children_.size())
            return {};
        const Child &child = children_.at(section);
        switch (role) {
        case Qt::DisplayRole:
            return child.name;
        case Qt::DecorationRole:
            return pictures_.at(section).isNull() ? QVariant() : QVariant(pictures_.at(section));
        case ResultsRoles::Child:
            return child.id;
        default:
            return {};
        }
    }
    if (section >= exercises_.size()) {
        static const QStringList last{QStringLiteral("Ultima volta"), QStringLiteral("Ripasso"),
                                      QStringLiteral("Prossimo ripasso")};
        if (role == Qt::DisplayRole)
            return last.value(section - exercises_.size());
        if (role == Qt::ToolTipRole && section == exercises_.size() + 1)
            return QStringLiteral("I nomi ormai sicuri, fra quelli sbagliati almeno una volta");
        return {};
    }
    if (section < 0)
        return {};
    const QString caption = AnswerWords::exerciseCaption(exercises_.at(section));
    switch (role) {
    case Qt::DisplayRole:
        return shortName(caption);
    case Qt::ToolTipRole:
        return caption;
    default:
        return {};
    }
}
