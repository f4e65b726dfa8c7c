#pragma once
#include "music_player.h"

// The music player's platform on Windows: media command strings, the wave
// output count and the looping sound call of winmm.
MusicPlatform& WinmmMusicPlatform();
