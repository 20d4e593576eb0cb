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

// What a PC reads of the server's class list: every class's name, and the
// children of the one asked for (none when it is not there).
struct ServerClassList
{
    QStringList classes;
    QList<ServerChild> children;
};
