#include <windows.h>
#include <mmsystem.h>

#include "winmm_music_platform.h"

namespace {

class Winmm : public MusicPlatform {
public:
    std::uint32_t sendCommand(const std::string& command, char* reply, unsigned replyLength) override
    {
        // No callback window and no wait or notify flag: every command returns at once.
        return mciSendStringA(command.c_str(), reply, reply != nullptr ? replyLength : 0, nullptr);
    }

    bool errorText(std::uint32_t code, char* text, unsigned length) override
    {
        return mciGetErrorStringA(code, text, length) != FALSE;
    }

    unsigned waveOutputCount() override { return waveOutGetNumDevs(); }

    void playSoundLooped(const char* name) override
    {
        // No SND_FILENAME: the name is tried as a sound event first, then as a file.
        if (name != nullptr) {
            PlaySoundA(name, nullptr, SND_ASYNC | SND_LOOP);
        } else {
            PlaySoundA(nullptr, nullptr, 0);
        }
    }
};

} // namespace

MusicPlatform& WinmmMusicPlatform()
{
    static Winmm platform;
    return platform;
}
