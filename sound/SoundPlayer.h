#pragma once

#include <QString>

// Starts a sound file playing and returns at once. A new sound cuts off one
// that is still playing; nothing is ever reported back.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &path) = 0;
    // Prepares files that will be played soon, so the first answer is heard at once.
    virtual void preload(const QStringList &paths) { Q_UNUSED(paths) }
};
