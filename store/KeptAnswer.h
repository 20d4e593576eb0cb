#pragma once

#include <QDateTime>
#include <QString>

// One judged answer of a child, as it is kept on disk: who, where, when, in
// which exercise, what was asked and what was given.
struct KeptAnswer
{
    QDateTime when;   // local time of the answer
    QString child;    // the child's id in the class list (a UUID string)
    QString computer; // the host name
    QString exercise; // the exercise's menu name: "Riordina i mesi (1)"
    QString language; // the language of the names: "it" or "en"
    QString asked;    // the card's name ("LUGLIO") or the asked date ("2001-03-05")
    QString given;    // the name whose place it was dropped on ("GIUGNO") or the clicked date
    bool right = false;
    QString route;      // "trascinamento", "tocco", "tastiera", "comando"
    double seconds = 0; // since the previous answer or the round's start
};
