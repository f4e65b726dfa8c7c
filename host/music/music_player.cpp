#include "music_player.h"

#include <cctype>

#include "music_platform.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"

bool CdKeepPolling = false;
std::string LastReply;

namespace {

char ReplyBuffer[512];
char ErrorBuffer[256];
char CdModeBuffer[255];
char Mp3ModeBuffer[30];

const char* const kNoCommandText = "コマンド文字列が指定されていません";
const char* const kNoErrorText = "Error (文字列が取れません)";

// Commands whose code and reply nobody reads.
void sendIgnored(const std::string& command)
{
    MusicSendCommand(command, nullptr, 0);
}

// Mode replies are judged by their first seven characters only.
std::string modeWord(const char* command, char* buffer, unsigned length)
{
    buffer[0] = '\0';
    if (MusicSendCommand(command, buffer, length) != 0) buffer[0] = '\0';
    buffer[length - 1] = '\0';
    return std::string(buffer).substr(0, 7);
}

bool failed(const std::string& reply)
{
    std::string upper = reply;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.find("ERR") != std::string::npos;
}

// A double quote would end the quoted path early and let the rest of the
// path be read as command words: such a path is treated as unplayable.
bool quotable(const std::string& path)
{
    return path.find('"') == std::string::npos;
}

} // namespace

std::int32_t MciSend(const std::string& command, std::string& reply)
{
    if (command.empty()) {
        reply = kNoCommandText;
        return -1;
    }
    ReplyBuffer[0] = '\0';
    const std::uint32_t code = MusicSendCommand(command, ReplyBuffer, sizeof(ReplyBuffer));
    ReplyBuffer[sizeof(ReplyBuffer) - 1] = '\0';
    if (code != 0) {
        ErrorBuffer[0] = '\0';
        if (MusicErrorText(code, ErrorBuffer, sizeof(ErrorBuffer))) {
            ErrorBuffer[sizeof(ErrorBuffer) - 1] = '\0';
            reply = ErrorBuffer;
        } else {
            reply = kNoErrorText;
        }
        return static_cast<std::int32_t>(code);
    }
    reply = ReplyBuffer;
    return 0;
}

std::string MciQuery(const std::string& command)
{
    const std::int32_t code = MciSend(command, LastReply);
    if (code != 0) return "Error:" + std::to_string(code);
    return LastReply;
}

std::int32_t MciPlay(const std::string& device, const std::string& from, const std::string& to)
{
    std::string command = "play " + device;
    if (!from.empty()) command += " from " + from;
    if (!to.empty()) command += " to " + to;
    return MciSend(command, LastReply);
}

void CdOpen()
{
    sendIgnored("open cdaudio");
    sendIgnored("set cdaudio time format tmsf");
}

void CdTick()
{
    CdKeepPolling = true;

    const std::string current = MciQuery("status cdaudio current track");
    if (failed(current)) {
        CdKeepPolling = false;
        return;
    }
    if (failed(MciQuery("status cdaudio number of tracks"))) {
        CdKeepPolling = false;
        return;
    }
    const std::string mode = modeWord("status cdaudio mode", CdModeBuffer, sizeof(CdModeBuffer));
    const bool stopped = mode == "stopped";

    if (BGM_RepeatTrack != 0) {
        std::int16_t currentTrack = 0;
        if (!ReadShortNumber(current, currentTrack)) {
            CdKeepPolling = false;
            return;
        }
        if (stopped || currentTrack != BGM_RepeatTrack) {
            const std::string start = MciQuery("status cdaudio position track " + std::to_string(BGM_RepeatTrack));
            MciPlay("cdaudio", start, "");
        }
    } else if (stopped) {
        MciPlay("cdaudio", "", "");
    }
}

void CdClose()
{
    sendIgnored("stop cdaudio");
    sendIgnored("close cdaudio");
}

void Mp3Open()
{
    if (!quotable(BGM_File)) return;
    const std::string open = "open \"" + BGM_File + "\" type MPEGVideo Alias MP3Play";
    if (MusicSendCommand(open, nullptr, 0) == 0) sendIgnored("play MP3Play");
}

bool Mp3IsPlaying()
{
    return modeWord("status MP3Play mode", Mp3ModeBuffer, sizeof(Mp3ModeBuffer)) == "playing";
}

void Mp3Tick()
{
    if (Mp3IsPlaying()) return;
    sendIgnored("stop MP3Play");
    sendIgnored("play MP3Play from 0");
}

void Mp3Close()
{
    sendIgnored("stop MP3Play");
    sendIgnored("close MP3Play");
}

void WavPlay()
{
    if (MusicWaveOutputCount() == 0) return;
    MusicPlaySoundLooped(BGM_File.c_str());
}

void WavStop()
{
    MusicPlaySoundLooped(nullptr);
}
