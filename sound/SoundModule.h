#pragma once

#include <QtPlugin>

class QObject;
class SoundPlayer;

// The sound player lives in a module of its own, beside the executable, so
// that the multimedia libraries load after the start screen is on screen.
// The module is a Qt plugin of this interface; a module of another
// interface or another Qt is refused by Qt's plugin loader. Change the
// version in the id with any change of the interface.
class SoundModule
{
public:
    virtual ~SoundModule() = default;
    virtual SoundPlayer *createPlayer(QObject *parent) = 0;
};

#define TempioloSoundModule_iid "org.example.Tempiolo.SoundModule/1"
Q_DECLARE_INTERFACE(SoundModule, TempioloSoundModule_iid)

inline constexpr const char tempioloSoundModule[] = "libtempiolo-suoni.so";
