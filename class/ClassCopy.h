#pragma once

#include "Child.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// A PC's copy of a class the school's server keeps, in the data folder as a
// class set up on the PC is: "Chi gioca?" reads it when the server cannot
// be reached, and the answers are kept by its ids.
namespace ClassCopy {

// Makes the class in `folder` the given one, unless it is that already:
// the class file, and the spoken names as the server has them; a child no
// longer there loses their clip. `changed` says whether anything was
// written. false with an Italian `error` when the class file cannot be.
bool write(const QString &folder, const QList<Child> &children,
           const QHash<QString, QByteArray> &spokenNames, bool *changed, QString *error);

} // namespace ClassCopy
