#pragma once

class QObject;
class SoundPlayer;

// The sound player lives in a module of its own, beside the executable, so
// that the multimedia libraries load after the start screen is on screen.
// The module exports one C function of this type under this name.
extern "C" {
using TempioloCreateSoundPlayer = SoundPlayer *(*)(QObject *parent);
}
inline constexpr const char tempioloCreateSoundPlayer[] = "tempiolo_create_sound_player";
inline constexpr const char tempioloSoundModule[] = "libtempiolo-suoni.so";
