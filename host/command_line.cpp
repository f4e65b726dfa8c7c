#include "command_line.h"

#include <cctype>

char ModeLetter(const std::string& arguments)
{
    if (arguments.size() < 2) return '\0';
    return static_cast<char>(std::toupper(static_cast<unsigned char>(arguments[1])));
}

std::int64_t PreviewHandleFrom(const std::string& arguments)
{
    if (arguments.size() < 4) return 0;
    std::size_t at = 3;
    while (at < arguments.size() && (arguments[at] == ' ' || arguments[at] == '\t')) ++at;
    bool negative = false;
    if (at < arguments.size() && (arguments[at] == '-' || arguments[at] == '+')) negative = arguments[at++] == '-';

    std::int64_t value = 0;
    for (; at < arguments.size() && std::isdigit(static_cast<unsigned char>(arguments[at])); ++at) {
        value = value * 10 + (arguments[at] - '0');
        if (value > 0xFFFFFFFFll) return 0;   // no window handle is that large
    }
    return negative ? -value : value;
}
