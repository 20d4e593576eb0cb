#include "EffectSoundPlayer.h"
#include "SoundModule.h"

extern "C" Q_DECL_EXPORT SoundPlayer *tempiolo_create_sound_player(QObject *parent)
{
    return new EffectSoundPlayer(parent);
}
