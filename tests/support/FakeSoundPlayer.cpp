#include "FakeSoundPlayer.h"
