#pragma once

#include "SoundPlayer.h"

#include <QStringList>

// Records every sound it is asked to play.
class FakeSoundPlayer : public SoundPlayer
{
public:
    void play(const QString &path) override { played << path; }
    QStringList played;
};
