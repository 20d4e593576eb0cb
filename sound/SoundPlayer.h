#pragma once

#include <QString>
#include <QStringList>

// Starts a sound file playing and returns at once. A new sound cuts off one
// that is still playing; nothing is ever reported back.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &path) = 0;
    // Prepares files that will be played soon, so the first answer is heard at once.
    virtual void preload(const QStringList &paths) { Q_UNUSED(paths) }
    // Says spoken clips one after the other, as one voice. A new voice cuts
    // off one still speaking, and a sound cuts off a voice; a voice waits
    // for a sound to end. A missing or damaged clip is left out, silently.
    virtual void speak(const QStringList &clips) { Q_UNUSED(clips) }
};
