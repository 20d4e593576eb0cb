#pragma once

#include "AnswerRows.h"
#include "Child.h"
#include "ServerChild.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class AnswerLog;
class ClassList;
class QObject;
class QThread;
struct KeptAnswer;

// The class this computer plays for, when the teacher has set one up: its
// children, who is playing now, and where their answers are kept. With no
// class set up the class file is only looked for, and nothing is written.
class Classroom
{
public:
    using LogFactory = std::function<std::unique_ptr<AnswerLog>()>;
    using Clock = std::function<QDateTime()>;
    // Reads the school's server's classes and the children of one; run on
    // a thread of its own. False with an Italian problem when it cannot.
    using ServerReader =
        std::function<bool(const QString &className, ServerClassList *list, QString *problem)>;
    // Deletes every answer of a child from this PC's files; run on the same thread.
    using AnswerEraser = std::function<bool(const QString &child, QString *error)>;

    // `folder`: the data folder. `openLog` makes the answer log the first
    // time a child of the class plays, not before: it loads Qt SQL.
    // `clock`: the time answers are given at; the computer's unless a test says.
    Classroom(const QString &folder, LogFactory openLog, Clock clock = {});
    ~Classroom();

    // Reads the class file again, which the teacher may have changed since;
    // true when the class has children, or a class must be chosen first.
    bool refresh();

    // With the school's server: the classes it held when last read, the one
    // this PC plays for (remembered between runs), and whether "Quale
    // classe?" is to be asked before "Chi gioca?": once a run, when the
    // server holds more than one class.
    void setServer(ServerReader server, AnswerEraser erase = {})
    {
        server_ = std::move(server);
        erase_ = std::move(erase);
    }
    bool usesServer() const { return bool(server_); }
    QStringList serverClasses() const;
    QString serverClass() const;
    bool asksForClass() const;
    void chooseClass(const QString &name);
    // Reads the server's class in the background and updates this PC's copy;
    // `changed` runs on this thread if the copy changed. One read at a time.
    void fetch(std::function<void()> changed = {});
    // Waits for a read under way, as at the program's end (a test's too).
    bool waitForFetch(int timeoutMs);
    QList<Child> children() const;
    // The recording that says a child's name in `language`, or "".
    QString spokenName(const QString &id, const QString &language) const;

    // Who plays from now on: a child of the class by id, or a guest ("").
    void play(const QString &childId);
    // Whether "Chi gioca?" has been answered in this run.
    bool picked() const { return picked_; }
    // The child playing; none for a guest.
    const std::optional<Child> &player() const { return player_; }

    // Keeps one answer of the child playing, with the time, the child and
    // the computer; a guest's answers are not kept.
    void keep(KeptAnswer answer);

    // The computer's local date and time now.
    QDateTime now() const { return clock_(); }
    // What the child playing answered, on every computer and in this run,
    // day by day: what their review is worked out from. Read when the
    // child is picked, never while they answer; empty for a guest.
    const QList<AnswerDay> &history() const { return history_; }

private:
    void copy(const ServerClassList &list);
    void endFetch();

    QString folder_;
    LogFactory openLog_;
    ServerReader server_;
    AnswerEraser erase_;
    QThread *fetching_ = nullptr;
    std::unique_ptr<QObject> context_;
    std::function<void()> changed_;
    bool classChosen_ = false;
    std::unique_ptr<ClassList> list_;
    std::optional<Child> player_;
    bool picked_ = false;
    std::unique_ptr<AnswerLog> log_;
    Clock clock_;
    QList<AnswerDay> history_;
};
