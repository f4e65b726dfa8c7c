#include "what_plays.h"

#include "file_kind.h"
#include "settings/settings_file.h"

MusicSource WhatPlays(std::int16_t kind, const std::string& file, bool fileExists)
{
    if (kind == kMusicCd) return MusicSource::Cd;
    if (kind != kMusicFile || !fileExists) return MusicSource::None;
    const std::string fileKind = FileKind(file);
    if (fileKind == "MP3") return MusicSource::Mp3;
    if (fileKind == "WAV") return MusicSource::Wav;
    return MusicSource::None;
}
