#include "Classroom.h"

#include "AnswerLog.h"
#include "ClassList.h"
#include "KeptAnswer.h"

#include <QFileInfo>
#include <QSysInfo>

Classroom::Classroom(const QString &folder, LogFactory openLog, Clock clock)
    : folder_(folder), openLog_(std::move(openLog)),
      clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
{
}

Classroom::~Classroom() = default;

bool Classroom::refresh()
{
    // Without a class file there is nothing to read, and nothing is made.
    if (!QFileInfo::exists(folder_ + QStringLiteral("/classe.json"))) {
        list_.reset();
        return false;
    }
    list_ = std::make_unique<ClassList>(folder_);
    return !list_->children().isEmpty();
}

QList<Child> Classroom::children() const
{
    return list_ ? list_->children() : QList<Child>();
}

QString Classroom::spokenName(const QString &id, const QString &language) const
{
    return list_ ? list_->spokenNameFile(id, language) : QString();
}

void Classroom::play(const QString &childId)
{
    picked_ = true;
    player_.reset();
    if (const Child *child = list_ ? list_->child(childId) : nullptr)
        player_ = *child;
    // Opened now, so that the first answer does not wait for it.
    if (player_ && !log_ && openLog_)
        log_ = openLog_();
    history_ = player_ && log_ ? log_->daysOf(player_->id, now().date()) : QList<AnswerDay>();
}

void Classroom::keep(KeptAnswer answer)
{
    if (!player_ || !log_)
        return;
    answer.id = QUuid::createUuid();
    answer.when = clock_();
    answer.child = player_->id;
    answer.computer = QSysInfo::machineHostName();
    log_->keep(answer);
    // Counted at once: the file may not hold it yet when the menu asks.
    history_.append(
        {answer.child, answer.items, answer.asked, answer.given, answer.when.date(), answer.right});
}
