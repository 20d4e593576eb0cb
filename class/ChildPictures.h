#pragma once

#include <QList>
#include <QString>

// A picture a child picks themselves by, before they can read their name.
struct ChildPicture
{
    QString key;      // "coccinella": also the file name, without accents
    QString resource; // ":/bambini/coccinella.svg"
    QString spoken;   // the Italian word screen readers say
};

// Every picture a child of the class can have, in the order they are given
// out: a new child gets the first one nobody has yet.
namespace ChildPictures {

const QList<ChildPicture> &all();
// Null when there is no such picture.
const ChildPicture *find(const QString &key);

} // namespace ChildPictures
