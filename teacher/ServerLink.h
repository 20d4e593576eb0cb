#pragma once

#include "ResultsTab.h"
#include "ServerChild.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <memory>

class ClassList;

// La classe on the school's server (the libpq service tempiolo-insegnante):
// the class is kept there under the name the teacher gives it ("3B"),
// equal to the one in this window, so that every PC of the lab finds its
// children; its results are read from there. Every talk with the server
// runs on a thread of its own: a server that is slow or away never stops
// the window.
class ServerLink : public QObject
{
    Q_OBJECT

public:
    // Whether La classe is to use the server: the teacher's service is defined.
    static bool wanted();

    // `folder`: the data folder, where the class's name on the server is kept.
    ServerLink(const QString &folder, const ClassList &list, QObject *parent = nullptr);
    ~ServerLink() override;

    QString className() const;
    void setClassName(const QString &name);
    // Sends the class as it is now to the server; published() tells.
    void publish();
    // Gives the class on the server a new name, keeping its children;
    // published() tells.
    void rename(const QString &name);
    // Reads the server's classes and the children of `name`; classRead() tells.
    void readClass(const QString &name);
    // Reads the class's results from the server, on the reader's thread.
    ResultsTab::Reader reader() const;

signals:
    // "" when the class is on the server as it is here, else why not.
    void published(const QString &problem);
    void classRead(const QString &name, const ServerClassList &list, const QString &problem);

private:
    struct Target;
    const QString folder_;
    const ClassList &list_;
    std::shared_ptr<Target> target_;
    QFutureWatcher<QString> *watcher_;
    QFutureWatcher<std::pair<ServerClassList, QString>> *reading_;
    QString renameFrom_;
    bool again_ = false;
};
