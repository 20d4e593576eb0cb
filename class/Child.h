#pragma once

#include <QString>

// One child of the class. Answers are kept by the id, which never changes;
// the name is only shown and said, and may be corrected at any time.
struct Child
{
    QString id;      // a UUID without braces
    QString name;    // as typed, with its blanks tidied
    QString picture; // a key of ChildPictures

    bool operator==(const Child &) const = default;
};
