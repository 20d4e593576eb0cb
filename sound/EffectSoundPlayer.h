#pragma once

#include "SoundPlayer.h"

#include <QHash>
#include <QObject>
#include <QPointer>

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

    // The file of the sound started last, while it is the one allowed to play.
    QString current() const;

private:
    QSoundEffect *effectFor(const QString &path);

    QHash<QString, QSoundEffect *> effects_;
    QPointer<QSoundEffect> current_;
};
