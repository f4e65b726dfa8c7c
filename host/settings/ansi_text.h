#pragma once
// Conversions between the system's ANSI code page, in which the settings file
// and the media commands hold texts, and the UTF-16 of the window system.

#include <string>

std::wstring WideFromAnsi(const std::string& ansi);
std::string AnsiFromWide(const std::wstring& text);

// A path as the ANSI code page can hold it: the path itself when the code
// page spells every character, else its short name.
std::string AnsiPathOf(const std::wstring& path);
