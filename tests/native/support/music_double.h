#pragma once
// Stands in for the music platform (host/music/music_platform.h) in the
// native tests: every command is recorded and answered by a script.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct MusicReply {
    std::uint32_t code;
    std::string text;
};

struct MusicDouble {
    // Answers each command; by default every command succeeds with no reply.
    std::function<MusicReply(const std::string&)> respond = [](const std::string&) { return MusicReply{0, ""}; };
    // The platform's error texts; a code without one has no text.
    std::map<std::uint32_t, std::string> errorTexts;
    unsigned waveDevices = 1;
    // Every command sent, in order.
    std::vector<std::string> commands;
    // Every looping-sound call in order; "" stands for the stop call.
    std::vector<std::string> sounds;
};

MusicDouble& musicDouble();
void resetMusicDouble();
