#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A child as the school's server keeps them: the id their answers are kept
// by, the name, the picture's key and the spoken name's recording (WAV).
struct ServerChild
{
    QString id;
    QString name;
    QString picture;
    QByteArray spokenName;

    bool operator==(const ServerChild &) const = default;
};

// What a PC reads of the server's class list: every class's name, the
// children of the one asked for (none when it is not there), and the ids
// of every child of every class, by which a child taken away is told from
// one moved to another class.
struct ServerClassList
{
    QStringList classes;
    QList<ServerChild> children;
    QStringList everyChild;
};
