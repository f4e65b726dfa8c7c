#include <windows.h>
#include <mmsystem.h>

#include "music_platform.h"

std::uint32_t MusicSendCommand(const std::string& command, char* reply, unsigned replyLength)
{
    // No callback window and no wait or notify flag: every command returns at once.
    return mciSendStringA(command.c_str(), reply, reply != nullptr ? replyLength : 0, nullptr);
}

bool MusicErrorText(std::uint32_t code, char* text, unsigned length)
{
    return mciGetErrorStringA(code, text, length) != FALSE;
}

unsigned MusicWaveOutputCount()
{
    return waveOutGetNumDevs();
}

void MusicPlaySoundLooped(const char* name)
{
    // No SND_FILENAME: the name is tried as a sound event first, then as a file.
    if (name != nullptr) {
        PlaySoundA(name, nullptr, SND_ASYNC | SND_LOOP);
    } else {
        PlaySoundA(nullptr, nullptr, 0);
    }
}
