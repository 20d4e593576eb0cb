#include "Narrator.h"

#include <QAccessibleWidget>
#include <QStringList>
#include <QTimer>

namespace {
// Long enough for a screen reader to have named a window that opens.
constexpr int openingPause = 400;
} // namespace

Narrator::Narrator(QWidget *area) : QWidget(area), line_(new QWidget(this))
{
    setObjectName(QStringLiteral("narrator"));
    for (QWidget *part : {static_cast<QWidget *>(this), line_}) {
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
        part->setFocusPolicy(Qt::NoFocus);
        part->setGeometry(0, 0, 0, 0);
    }
    setAccessibleName(QStringLiteral("avvisi"));
    line_->hide();
}

void Narrator::tell(const QString &sentence)
{
    if (pending_.isEmpty())
        QTimer::singleShot(0, this, [this] { pending_.clear(); });
    pending_ << sentence;
    // Each sentence appears anew, so it is read even when it repeats the last.
    line_->hide();
    line_->setAccessibleName(pending_.join(QStringLiteral(". ")));
    line_->show();
}

void Narrator::tellHeld(const QString &name, bool up)
{
    tell(name.trimmed() + (up ? QStringLiteral(" preso") : QStringLiteral(" lasciato")));
}

void Narrator::tellAnswer(Answer answer, const QString &what, const QString &count, RoundEnd end)
{
    if (answer == Answer::Ignored)
        return;
    QStringList parts{what + (answer == Answer::Right ? QStringLiteral(", esatto")
                                                      : QStringLiteral(", sbagliato")),
                      count};
    if (end == RoundEnd::Waits)
        parts << QStringLiteral("giro finito: premi avanti");
    else if (end == RoundEnd::GoesOn)
        parts << QStringLiteral("giro finito: ecco un nuovo giro");
    tell(parts.join(QStringLiteral(". ")));
}

void Narrator::tellRoundStart(const QString &opening, bool windowOpening)
{
    if (opening.isEmpty())
        return;
    if (windowOpening)
        QTimer::singleShot(openingPause, this, [this, opening] { tell(opening); });
    else
        tell(opening);
}

QString Narrator::saying() const
{
    return line_->isVisibleTo(parentWidget()) ? line_->accessibleName() : QString();
}

QAccessibleInterface *Narrator::accessible(QObject *object)
{
    if (auto *narrator = qobject_cast<Narrator *>(object))
        return new QAccessibleWidget(narrator, QAccessible::StatusBar);
    if (object->metaObject() == &QWidget::staticMetaObject &&
        qobject_cast<Narrator *>(object->parent()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}
