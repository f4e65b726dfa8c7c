#include "sorvelin_options.h"

#include <cctype>

namespace {

// Digits only, in the given base, no sign and no blanks; false past 32 bits.
bool parseDigits(const std::string& text, std::size_t from, unsigned base, std::uint64_t limit,
                 std::uint32_t& value)
{
    if (from >= text.size()) return false;
    std::uint64_t number = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        unsigned digit;
        if (std::isdigit(c)) digit = c - '0';
        else if (base == 16 && std::isxdigit(c)) digit = static_cast<unsigned>(std::tolower(c) - 'a' + 10);
        else return false;
        number = number * base + digit;
        if (number > limit) return false;
    }
    value = static_cast<std::uint32_t>(number);
    return true;
}

// "--root" and "-root" are the same option; "--delay=5" carries its value.
std::string optionName(const std::string& arg, std::string& inlineValue, bool& hasInlineValue)
{
    std::string name = arg.compare(0, 2, "--") == 0 ? arg.substr(1) : arg;
    const std::size_t equals = name.find('=');
    hasInlineValue = equals != std::string::npos;
    if (hasInlineValue) {
        inlineValue = name.substr(equals + 1);
        name.erase(equals);
    }
    return name;
}

OptionsResult failure(const std::string& error)
{
    OptionsResult result;
    result.error = error;
    return result;
}

} // namespace

bool parseWindowId(const std::string& text, std::uint32_t& id)
{
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    std::uint32_t value = 0;
    if (!parseDigits(text, hex ? 2 : 0, hex ? 16 : 10, 0xFFFFFFFFu, value) || value == 0) return false;
    id = value;
    return true;
}

OptionsResult parseSorvelinOptions(const std::vector<std::string>& args)
{
    OptionsResult result;
    bool root = false, givenWindow = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') return failure("unexpected argument \"" + arg + "\"");

        std::string value;
        bool hasValue = false;
        const std::string name = optionName(arg, value, hasValue);
        const bool takesValue = name == "-delay" || name == "-window-id";
        if (!takesValue && hasValue) return failure(name + " takes no value");
        if (takesValue && !hasValue) {
            if (i + 1 >= args.size()) return failure(name + " needs a value");
            value = args[++i];
        }

        if (name == "-root") {
            root = true;
        } else if (name == "-window-id") {
            if (!parseWindowId(value, result.options.windowId))
                return failure("-window-id: not a window id: \"" + value + "\"");
            givenWindow = true;
        } else if (name == "-delay") {
            if (!parseDigits(value, 0, 10, kLongestDelayUs, result.options.delayUs))
                return failure("-delay: not a number of microseconds from 0 to " +
                               std::to_string(kLongestDelayUs) + ": \"" + value + "\"");
        } else if (name == "-fps") {
            result.options.showFps = true;
        } else if (name == "-help" || name == "-h") {
            result.helpWanted = true;
        } else {
            return failure("unknown option \"" + arg + "\"");
        }
    }

    if (root && givenWindow) return failure("-root and -window-id cannot be used together");
    if (root) result.options.into = DrawInto::Root;
    if (givenWindow) result.options.into = DrawInto::GivenWindow;
    result.ok = true;
    return result;
}

std::string sorvelinUsage()
{
    return "usage: sorvelin [-root | -window-id ID] [-delay MICROSECONDS] [-fps]\n"
           "  (no option)       a window of its own over the whole screen; Escape ends it\n"
           "  -root             draw into the window in $XSCREENSAVER_WINDOW, else the root window\n"
           "  -window-id ID     draw into window ID, in decimal or as 0x hex\n"
           "  -delay US         sleep between frames in microseconds (default 20000; 0 = none)\n"
           "  -fps              print the frames per second on standard error\n"
           "Options may also be written with two dashes (--root).\n";
}
