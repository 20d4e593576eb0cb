#pragma once

#include "SoundPlayer.h"

#include <QObject>
#include <QPluginLoader>

// Stands for the real sound player until it is needed, then loads it from
// its module. Where the module cannot be loaded, every sound is the system
// beep: the program never stops for want of sound.
class LazySoundPlayer : public QObject, public SoundPlayer
{
    Q_OBJECT

public:
    // `modulePath`: the sound module; by default the one beside the executable.
    explicit LazySoundPlayer(const QString &modulePath = QString(), QObject *parent = nullptr);

    void play(const QString &path) override;
    void preload(const QStringList &paths) override;
    void speak(const QStringList &clips) override;

    // Loads the module now, if it is not loaded yet; true when a real player is there.
    bool load();
    bool loaded() const { return real_ != nullptr; }

private:
    QPluginLoader module_;
    SoundPlayer *real_ = nullptr;
    bool tried_ = false;
};
