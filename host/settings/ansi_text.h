#pragma once
// Conversions between the system's ANSI code page, in which the settings file
// and the media commands hold texts, and the UTF-16 of the window system.

#include <string>

std::wstring WideFromAnsi(const std::string& ansi);
std::string AnsiFromWide(const std::wstring& text);

// A path as the ANSI code page can hold it, never a look-alike: the path
// itself when the code page spells every character exactly, else its short
// (8.3) name when that can be spelled. False when neither can (a volume that
// keeps no short names); the text then has '?' for each character the code
// page lacks, which no file name may hold, so it opens nothing and never
// names another file.
bool AnsiPathOf(const std::wstring& path, std::string& ansi);
