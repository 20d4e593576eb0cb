#pragma once

#include "SoundPlayer.h"

#include <QStringList>

// Records every sound it is asked to play, and every voice to speak.
class FakeSoundPlayer : public SoundPlayer
{
public:
    void play(const QString &path) override { played << path; }
    void speak(const QStringList &clips) override { spoken << clips; }
    QStringList played;
    QList<QStringList> spoken;
};
