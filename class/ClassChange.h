#pragma once

#include <QString>

// What a change of the class list did, for the teacher's window to show.
struct ClassChange
{
    bool done = false; // false: nothing changed, message says why
    QString message;   // one or two Italian sentences
    QString id;        // the child added or changed, when there is one
    int added = 0;     // children added by an import
    int skipped = 0;   // names of an import not added
};
