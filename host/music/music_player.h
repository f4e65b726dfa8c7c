#pragma once
// The background music: audio CD and MP3 through media command strings, WAV
// through the system's looping sound call. No thread or timer of its own: the
// saver form opens, polls and closes. Every failure is silent. The platform
// calls it makes are those of music_platform.h.

#include <cstdint>
#include <string>

// Cleared by a CD poll that met an error: the saver form then stops polling.
extern bool CdKeepPolling;
// Reply or error text of the last command sent through MciQuery or MciPlay.
extern std::string LastReply;

std::int32_t MciSend(const std::string& command, std::string& reply);
std::string MciQuery(const std::string& command);
std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to);

void CdOpen();
void CdTick();
void CdClose();

void Mp3Open();
bool Mp3IsPlaying();
void Mp3Tick();
void Mp3Close();

void WavPlay();
void WavStop();
