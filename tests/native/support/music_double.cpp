#include "music_double.h"

#include <cstring>

#include "music/music_platform.h"

namespace {

void copyBounded(const std::string& text, char* target, unsigned length)
{
    std::strncpy(target, text.c_str(), length - 1);
    target[length - 1] = '\0';
}

} // namespace

MusicDouble& musicDouble()
{
    static MusicDouble platform;
    return platform;
}

void resetMusicDouble()
{
    musicDouble() = MusicDouble();
}

std::uint32_t MusicSendCommand(const std::string& command, char* reply, unsigned replyLength)
{
    musicDouble().commands.push_back(command);
    const MusicReply answer = musicDouble().respond(command);
    if (reply != nullptr && replyLength > 0) copyBounded(answer.text, reply, replyLength);
    return answer.code;
}

bool MusicErrorText(std::uint32_t code, char* text, unsigned length)
{
    const auto found = musicDouble().errorTexts.find(code);
    if (found == musicDouble().errorTexts.end()) return false;
    copyBounded(found->second, text, length);
    return true;
}

unsigned MusicWaveOutputCount()
{
    return musicDouble().waveDevices;
}

void MusicPlaySoundLooped(const char* name)
{
    musicDouble().sounds.push_back(name != nullptr ? name : "");
}
