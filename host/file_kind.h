#pragma once
#include <string>

// The music file's kind: its last three characters, upper-cased ("MP3", "WAV").
std::string FileKind(const std::string& path);
