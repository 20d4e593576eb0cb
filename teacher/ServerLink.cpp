#include "ServerLink.h"

#include "ClassList.h"
#include "ServerClass.h"
#include "ServerConnection.h"
#include "ServiceFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMutex>
#include <QSettings>
#include <QtConcurrent>

namespace {

QString settingsPath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("server.ini"));
}

const QString nameKey = QStringLiteral("classe");

} // namespace

// The name read on the reader's thread while the teacher may change it.
struct ServerLink::Target
{
    mutable QMutex mutex;
    QString name;

    QString get() const
    {
        QMutexLocker lock(&mutex);
        return name;
    }
};

bool ServerLink::wanted()
{
    return ServiceFile::defines(ServiceFile::teacher);
}

ServerLink::ServerLink(const QString &folder, const ClassList &list, QObject *parent)
    : QObject(parent), folder_(folder), list_(list), target_(std::make_shared<Target>()),
      watcher_(new QFutureWatcher<QString>(this)),
      reading_(new QFutureWatcher<std::pair<ServerClassList, QString>>(this))
{
    connect(reading_, &QFutureWatcher<std::pair<ServerClassList, QString>>::finished, this, [this] {
        const auto [list, problem] = reading_->result();
        emit classRead(reading_->property("name").toString(), list, problem);
    });
    target_->name = QSettings(settingsPath(folder_), QSettings::IniFormat)
                        .value(nameKey, QStringLiteral("Classe"))
                        .toString();
    connect(watcher_, &QFutureWatcher<QString>::finished, this, [this] {
        emit published(watcher_->result());
        // A change made while the last one was on its way goes now.
        if (again_) {
            again_ = false;
            publish();
        }
    });
}

ServerLink::~ServerLink()
{
    watcher_->waitForFinished();
    reading_->waitForFinished();
}

void ServerLink::rename(const QString &name)
{
    renameFrom_ = className();
    setClassName(name);
    publish();
}

void ServerLink::readClass(const QString &name)
{
    reading_->waitForFinished();
    reading_->setProperty("name", name);
    reading_->setFuture(QtConcurrent::run([name] {
        ServerClassList list;
        QString problem;
        ServerClass::read(ServiceFile::teacher, name, &list, &problem);
        return std::pair{list, problem};
    }));
}

QString ServerLink::className() const
{
    return target_->get();
}

void ServerLink::setClassName(const QString &name)
{
    const QString tidy = name.simplified();
    if (tidy.isEmpty())
        return;
    {
        QMutexLocker lock(&target_->mutex);
        target_->name = tidy;
    }
    QSettings settings(settingsPath(folder_), QSettings::IniFormat);
    settings.setValue(nameKey, tidy);
}

void ServerLink::publish()
{
    if (watcher_->isRunning()) {
        again_ = true;
        return;
    }
    // What the server is to hold, taken here, on the window's thread.
    QList<ServerChild> children;
    for (const Child &child : list_.children()) {
        const QString spoken = list_.spokenNameFile(child.id, QStringLiteral("it"));
        QFile clip(spoken);
        children.append(
            {child.id, child.name, child.picture,
             !spoken.isEmpty() && clip.open(QIODevice::ReadOnly) ? clip.readAll() : QByteArray()});
    }
    const QString name = className();
    // A new name for the class there first, so that its children go with it.
    const QString from = std::exchange(renameFrom_, QString());
    watcher_->setFuture(QtConcurrent::run([children, name, from]() -> QString {
        ServerConnection server(ServiceFile::teacher);
        if (!server.open())
            return server.reason();
        QString error;
        if (!from.isEmpty() && from != name &&
            !ServerClass::rename(server.db(), from, name, &error))
            return QStringLiteral("La classe %1 non si è potuta rinominare sul server della "
                                  "scuola: %2")
                .arg(from, error);
        if (!ServerClass::publish(server.db(), name, children, &error))
            return QStringLiteral("La classe %1 non si è potuta scrivere sul server della scuola: "
                                  "%2")
                .arg(name, error);
        return QString();
    }));
}

ResultsTab::Reader ServerLink::reader() const
{
    return [target = target_](const QString &, const DayRange &range, QDate today, bool days) {
        ResultsTab::Read read;
        ServerConnection server(ServiceFile::teacher);
        if (!server.open()) {
            read.problems << server.reason();
            return read;
        }
        const QString name = target->get();
        QString error;
        const bool done =
            days ? ServerClass::daysOfAll(server.db(), name, today, &read.days, &error)
                 : ServerClass::summarise(server.db(), name, range, &read.summary, &error);
        if (!done)
            read.problems << QStringLiteral("I risultati della classe %1 non si leggono dal "
                                            "server della scuola: %2")
                                 .arg(name, error);
        QList<UnsentAnswers> computers;
        if (!days && ServerClass::unsent(server.db(), &computers, &error)) {
            const QLocale italian(QLocale::Italian, QLocale::Italy);
            for (const UnsentAnswers &computer : std::as_const(computers))
                read.problems << QStringLiteral("Il computer %1 ha ancora %2 risposte da inviare "
                                                "al server (detto alle %3 del %4).")
                                     .arg(computer.computer)
                                     .arg(computer.count)
                                     .arg(italian.toString(computer.told.toLocalTime().time(),
                                                           QStringLiteral("HH:mm")),
                                          italian.toString(computer.told.toLocalTime().date(),
                                                           QStringLiteral("d MMMM")));
        }
        return read;
    };
}
