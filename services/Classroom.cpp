#include "Classroom.h"

#include "AnswerLog.h"
#include "ClassCopy.h"
#include "ClassFile.h"
#include "ClassList.h"
#include "KeptAnswer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QThread>
#include <QUuid>

namespace {

// This PC's choice of class and the server's classes when last read,
// beside the class file; La classe keeps its class's name there too.
QSettings serverSettings(const QString &folder)
{
    return QSettings(folder + QStringLiteral("/server.ini"), QSettings::IniFormat);
}

const QString classKey = QStringLiteral("classe");
const QString classesKey = QStringLiteral("classi");

} // namespace

Classroom::Classroom(const QString &folder, LogFactory openLog, Clock clock)
    : folder_(folder), openLog_(std::move(openLog)), context_(std::make_unique<QObject>()),
      clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
{
}

Classroom::~Classroom()
{
    // A server that does not answer is given up after its timeouts: the
    // thread is then left to the program's end, with nothing to apply.
    if (!waitForFetch(15000) && fetching_)
        QObject::disconnect(fetching_, nullptr, context_.get(), nullptr);
}

QStringList Classroom::serverClasses() const
{
    return serverSettings(folder_).value(classesKey).toStringList();
}

QString Classroom::serverClass() const
{
    return serverSettings(folder_).value(classKey).toString();
}

bool Classroom::asksForClass() const
{
    return server_ && !classChosen_ && serverClasses().size() > 1;
}

void Classroom::chooseClass(const QString &name)
{
    classChosen_ = true;
    if (name == serverClass())
        return;
    serverSettings(folder_).setValue(classKey, name);
    // Another class's children are not this one's: none until it is read.
    bool changed = false;
    QString error;
    ClassCopy::write(folder_, {}, {}, &changed, &error);
    list_.reset();
    fetch(changed_);
}

void Classroom::fetch(std::function<void()> changed)
{
    if (changed)
        changed_ = std::move(changed);
    if (!server_ || fetching_)
        return;
    const QString name = serverClass();
    ServerReader reader = server_;
    AnswerEraser erase = erase_;
    const QString folder = folder_;
    QObject *context = context_.get();
    fetching_ = QThread::create([this, reader, erase, folder, name, context] {
        auto list = std::make_shared<ServerClassList>();
        QString problem;
        if (!reader(name, list.get(), &problem)) {
            qWarning("Tempiolo: %s", qPrintable(problem));
            return;
        }
        // A child taken away on the server (not moved to another class) is
        // taken away here too, with their answers: the server has those it
        // was sent, and takes no more of theirs. Only while their class is
        // still there: a server made anew deletes nothing here.
        if (erase && list->classes.contains(name)) {
            for (const Child &child : ClassFile(folder).read()) {
                QString error;
                if (!list->everyChild.contains(child.id) && !erase(child.id, &error))
                    qWarning("Tempiolo: %s", qPrintable(error));
            }
        }
        // Applied on the program's thread, which reads the copy.
        QMetaObject::invokeMethod(
            context, [this, list] { copy(*list); }, Qt::QueuedConnection);
    });
    // Gone once it ended: no event loop is needed to delete it.
    QObject::connect(fetching_, &QThread::finished, context_.get(), [this] { endFetch(); });
    fetching_->start();
}

bool Classroom::waitForFetch(int timeoutMs)
{
    if (!fetching_)
        return true;
    if (!fetching_->wait(QDeadlineTimer(timeoutMs)))
        return false;
    // The copy it read is applied now, and the thread deleted.
    QCoreApplication::sendPostedEvents(context_.get());
    endFetch();
    return true;
}

void Classroom::endFetch()
{
    if (!fetching_)
        return;
    fetching_->wait();
    delete fetching_;
    fetching_ = nullptr;
}

void Classroom::copy(const ServerClassList &list)
{
    auto settings = serverSettings(folder_);
    settings.setValue(classesKey, list.classes);
    QString name = serverClass();
    // A server of one class: that is the class.
    if (!list.classes.contains(name) && list.classes.size() == 1) {
        name = list.classes.first();
        settings.setValue(classKey, name);
    }
    settings.sync();
    bool changed = false;
    if (list.classes.contains(name)) {
        QList<Child> children;
        QHash<QString, QByteArray> spoken;
        for (const ServerChild &child : list.children) {
            // Only what a class file could hold: ids are UUIDs.
            if (QUuid::fromString(child.id).isNull() || child.name.trimmed().isEmpty())
                continue;
            children.append({child.id, child.name, child.picture});
            spoken.insert(child.id, child.spokenName);
        }
        QString error;
        if (!ClassCopy::write(folder_, children, spoken, &changed, &error))
            qWarning("Tempiolo: %s", qPrintable(error));
    }
    if (changed && changed_)
        changed_();
}

bool Classroom::refresh()
{
    // A PC's first start with the server: the class is on its way.
    if (server_ && serverClasses().isEmpty())
        waitForFetch(3000);
    if (asksForClass())
        return true;
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
