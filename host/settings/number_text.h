#pragma once
#include <cstdint>
#include <string>

// The one reader of numbers typed or stored as text: a plain decimal
// (sign, digits, at most one point), blanks around it ignored. False, and
// value untouched, for anything else ("abc", "0x1A", "1e1", "3x").
bool ReadNumber(const std::string& text, double& value);

// Reads a stored number the way the settings file needs it: blanks around it
// ignored, the integer part rounded down (2.9 → 2, -0.5 → -1). False, and
// value untouched, when the text is not a number or does not fit 16 bits.
bool ReadShortNumber(const std::string& text, std::int16_t& value);

// Writes a number as stored: one leading blank for 0 and positive values.
std::string ShortNumberText(std::int16_t value);
