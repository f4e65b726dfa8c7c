#pragma once
// Which music a show plays, decided once from the music settings; the saver
// form starts and stops whatever this says.

#include <cstdint>
#include <string>

enum class MusicSource { None, Cd, Mp3, Wav };

// kind is BGM_Kind and file BGM_File, with whether that file can be read.
// A file plays by its kind (last three characters, any case): MP3 or WAV; a
// file of another kind, or one that is not there, plays nothing.
MusicSource WhatPlays(std::int16_t kind, const std::string& file, bool fileExists);
