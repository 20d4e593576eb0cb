#include "EffectSoundPlayer.h"
#include "SoundModule.h"

#include <QObject>

// The plugin that makes the real player.
class EffectSoundModule : public QObject, public SoundModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TempioloSoundModule_iid)
    Q_INTERFACES(SoundModule)

public:
    SoundPlayer *createPlayer(QObject *parent) override { return new EffectSoundPlayer(parent); }
};

#include "SoundModuleEntry.moc"
