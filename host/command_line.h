#pragma once
// Reading the screensaver command line: no windows.h, tested natively.

#include <cstdint>
#include <string>

// The character at position 2 of the upper-cased argument string ('\0' when
// the string is shorter): 'S' show, 'P' preview, 'C' settings.
char ModeLetter(const std::string& arguments);

// The preview area's handle: the argument string from its fourth character
// on, read as a decimal number (blanks skipped, reading stops at the first
// character that cannot continue it); 0 when there is no number.
std::int64_t PreviewHandleFrom(const std::string& arguments);
