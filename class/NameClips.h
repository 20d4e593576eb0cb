#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QProcess;

// Each child's name, said in the program's own voice so that children who
// cannot read yet hear it: made by espeak-ng and trimmed by sox, as the
// program's other clips are, in the background, one name at a time. The
// clips are named by the child's id, never by the name. Without espeak-ng
// there are simply no clips.
class NameClips : public QObject
{
    Q_OBJECT

public:
    // The clips go into "voci-bambini" in folder.
    explicit NameClips(const QString &folder, QObject *parent = nullptr);
    ~NameClips() override;

    // Queues a clip for a child; a clip still waiting for the same child is
    // replaced, and a clip already made for an earlier name is deleted now.
    void make(const QString &id, const QString &name);
    // Deletes a child's clip, and forgets or stops the one being made.
    void forget(const QString &id);

    // Where a child's clip is, once made.
    QString clipPath(const QString &id) const;
    // Whether clips are still being made.
    bool busy() const;

signals:
    void made(const QString &id);

private:
    struct Job
    {
        QString id;
        QString name;
    };

    void startNext();
    void run(const QString &program, const QStringList &arguments, void (NameClips::*then)(bool));
    void spoken(bool ok);
    void finish(bool keep);
    QString partPath(const QString &id, const char *part) const;
    void removeParts(const QString &id) const;

    QString folder_;
    QList<Job> waiting_;
    Job current_;
    QProcess *process_ = nullptr;
    bool cancelled_ = false;
    int step_ = 0; // tells a late signal of an earlier program from the current one
};
