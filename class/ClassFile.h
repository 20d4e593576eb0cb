#pragma once

#include "Child.h"

#include <QList>
#include <QString>

// The class as it is kept on disk: "classe.json" in the program's data
// folder, readable by its owner only, replaced whole at every change so
// that a crash never leaves half of it. A file that cannot be read is left
// alone until the class is changed, then kept aside under a dated name for
// whoever wants to rescue it.
class ClassFile
{
public:
    static constexpr int format = 1;

    explicit ClassFile(const QString &folder);

    QString path() const;

    // The children in the file, in order; none when there is no file. When
    // the file cannot be read, none and problem() says why. Read once, as
    // the class is opened.
    QList<Child> read();
    QString problem() const { return problem_; }

    // False, with an Italian sentence in error, when nothing was written.
    bool write(const QList<Child> &children, QString *error);

    // Damaged files kept aside, which no longer belong to the class but may
    // still hold names.
    QStringList keptAside() const;
    // Blots a name out of those files: a child who leaves the class leaves
    // nothing of their name behind.
    void blotOut(const QString &name) const;

private:
    bool setDamagedAside(QString *error);

    QString folder_;
    QString problem_;
    bool damaged_ = false;
};
