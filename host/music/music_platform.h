#pragma once
// What the music player needs of the platform, as free functions.
// Provided on Windows by music_platform_win32.cpp (winmm); in the native
// tests by tests/native/support/music_double.cpp, which scripts the replies.

#include <cstdint>
#include <string>

// Sends a media command string; its reply (up to replyLength bytes with the
// NUL) goes into reply when reply is not null. Returns the error code, 0 for success.
std::uint32_t MusicSendCommand(const std::string& command, char* reply, unsigned replyLength);

// The error code's text; false when the platform has none.
bool MusicErrorText(std::uint32_t code, char* text, unsigned length);

// How many wave output devices there are.
unsigned MusicWaveOutputCount();

// Plays a sound by name (an event name, else a file), looping and not
// waiting; a null name stops the sound that is playing.
void MusicPlaySoundLooped(const char* name);
