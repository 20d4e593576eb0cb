#pragma once

#include "ChildPictures.h"
#include "ClassChange.h"
#include "ClassFile.h"
#include "NameClips.h"

#include <QList>
#include <QString>

// The children of the class, set up by the teacher: each with a name, a
// picture nobody else has (so that children who cannot read yet find
// themselves) and an id their answers are kept by. Every change is written
// at once, and says in Italian what it did or why it did nothing.
class ClassList
{
public:
    // The program passes its data folder (QStandardPaths::AppDataLocation).
    explicit ClassList(const QString &folder);
    ClassList(const ClassList &) = delete;
    ClassList &operator=(const ClassList &) = delete;

    const QList<Child> &children() const { return children_; }
    // Reads the class file again, written by someone else meanwhile.
    void reload();
    // Null when no child has this id.
    const Child *child(const QString &id) const;
    // An Italian sentence when the class file could not be read.
    QString problem() const { return file_.problem(); }
    // The pictures no child has, in the order they are given out.
    QStringList freePictures() const;

    // The ids are taken by value: the caller's may well be a child's own,
    // which the change replaces.
    ClassChange add(const QString &typedName);
    ClassChange rename(QString id, const QString &typedName);
    // A picture another child has is swapped with theirs.
    ClassChange setPicture(QString id, const QString &pictureKey);
    ClassChange remove(QString id);
    // Adds the names of a text or CSV file, one child a line; blank lines and
    // a header are passed over, names already in the class skipped.
    ClassChange importFile(const QString &path);

    // The recording that says a child's name: the teacher's own, in
    // "voci/<language>/" of the data folder, under the name the program's
    // voice gives it ("Niccolò" is "niccolo.wav"), or else the one made by
    // espeak-ng. Empty while there is none.
    QString spokenNameFile(const QString &id, const QString &language) const;
    NameClips &clips() { return clips_; }

private:
    void tidyPictures();
    QString nameProblem(const QString &name, const QString &exceptId) const;
    bool save(const QList<Child> &next, QString *error);

    QString folder_;
    ClassFile file_;
    QList<Child> children_;
    NameClips clips_;
};
