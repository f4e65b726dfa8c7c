#include "number_text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// sign? digits* ('.' digits*)? with at least one digit, nothing else.
bool isPlainNumber(const std::string& text)
{
    std::size_t at = 0, digits = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    for (; at < text.size() && isDigit(text[at]); ++at) ++digits;
    if (at < text.size() && text[at] == '.') {
        for (++at; at < text.size() && isDigit(text[at]); ++at) ++digits;
    }
    return digits > 0 && at == text.size();
}

} // namespace

bool ReadNumber(const std::string& text, double& value)
{
    std::size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    const std::string number = text.substr(first, last - first);
    if (!isPlainNumber(number)) return false;
    // Only sign, digits and one point reach here: no hexadecimal, no exponent.
    value = std::strtod(number.c_str(), nullptr);
    return true;
}

bool ReadShortNumber(const std::string& text, std::int16_t& value)
{
    double number = 0.0;
    if (!ReadNumber(text, number)) return false;
    const double floored = std::floor(number);
    if (floored < -32768.0 || floored > 32767.0) return false;
    value = static_cast<std::int16_t>(floored);
    return true;
}

std::string ShortNumberText(std::int16_t value)
{
    return value >= 0 ? " " + std::to_string(value) : std::to_string(value);
}
