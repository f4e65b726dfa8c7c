#pragma once
// The background music: audio CD and MP3 through media command strings, WAV
// through the system's looping sound call. No thread or timer of its own: the
// saver form opens, polls and closes. Every failure is silent.

#include <cstdint>
#include <string>

// What the player needs of the platform, so tests can script the replies.
class MusicPlatform {
public:
    virtual ~MusicPlatform() = default;
    // Sends a command string; the reply (up to replyLength bytes with its NUL)
    // goes into reply when it is not null. Returns the error code, 0 for success.
    virtual std::uint32_t sendCommand(const std::string& command, char* reply, unsigned replyLength) = 0;
    // The error code's text; false when the platform has none.
    virtual bool errorText(std::uint32_t code, char* text, unsigned length) = 0;
    virtual unsigned waveOutputCount() = 0;
    // Plays a sound by name (event name, else file), looping and not waiting;
    // a null name stops the sound that is playing.
    virtual void playSoundLooped(const char* name) = 0;
};

// The platform the player talks to; the host installs the real one at start.
void UseMusicPlatform(MusicPlatform* platform);

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
