#pragma once

#include "SoundPlayer.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

class QSoundEffect;

// Plays WAV files through QSoundEffect. A missing or unreadable file, or a
// machine without audio output, never stops the program: where the file is
// missing a short system beep stands in for it.
class EffectSoundPlayer : public QObject, public SoundPlayer
{
    Q_OBJECT

public:
    explicit EffectSoundPlayer(QObject *parent = nullptr);

    void play(const QString &path) override;
    void preload(const QStringList &paths) override;
    void speak(const QStringList &clips) override;

    // The file of the sound started last, while it is the one allowed to play.
    QString current() const;
    // The clip the voice is saying, or waiting to say.
    QString speaking() const;

private:
    QSoundEffect *effectFor(const QString &path);
    void stopVoice();
    // Says the next clip of the voice, unless a sound is still playing.
    void nextClip();
    void clipChanged(QSoundEffect *clip);
    void warnOnce(const QString &path);

    QHash<QString, QSoundEffect *> effects_;
    QPointer<QSoundEffect> current_;
    QStringList voice_;
    QPointer<QSoundEffect> clip_;
    bool clipStarted_ = false;
    QSet<QString> warned_;
    QSoundEffect *warmUp_ = nullptr;
};
