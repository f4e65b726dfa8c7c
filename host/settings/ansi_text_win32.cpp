#include <windows.h>

#include <vector>

#include "ansi_text.h"
#include "lead_byte.h"

namespace {

// The text in the code page with no best fit: the platform would otherwise
// turn ë into e and Ł into L, and a path spelled so names a folder that does
// not exist, or another one. False when a character had to become '?'.
bool exactAnsi(const std::wstring& text, std::string& ansi)
{
    ansi.clear();
    if (text.empty()) return true;
    const int length = static_cast<int>(text.size());
    // NOTE: UTF-8 as the ANSI code page spells everything and takes neither the flag nor the question.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* lossy = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(CP_ACP, flags, text.c_str(), length, nullptr, 0, nullptr, lossy);
    if (size <= 0) return false;
    ansi.assign(static_cast<std::size_t>(size), '\0');
    usedDefault = FALSE;
    if (WideCharToMultiByte(CP_ACP, flags, text.c_str(), length, &ansi[0], size, nullptr, lossy) != size) {
        ansi.assign(text.size(), '?');
        return false;
    }
    return !usedDefault;
}

std::wstring shortPathOf(const std::wstring& path)
{
    std::vector<wchar_t> shortPath(MAX_PATH);
    for (;;) {
        const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        if (length == 0) return std::wstring();
        if (length < shortPath.size()) return std::wstring(shortPath.data(), length);
        shortPath.resize(length + 1);
    }
}

} // namespace

std::wstring WideFromAnsi(const std::string& ansi)
{
    if (ansi.empty()) return std::wstring();
    const int size = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), &text[0], size);
    return text;
}

std::string AnsiFromWide(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &ansi[0], size, nullptr,
                            nullptr);
    }
    return ansi;
}

bool AnsiPathOf(const std::wstring& path, std::string& ansi)
{
    if (exactAnsi(path, ansi)) return true;
    // Short names are plain ASCII wherever the volume makes them; where it
    // does not, the system hands back the long name, which still cannot be spelled.
    std::string shortAnsi;
    const std::wstring shortPath = shortPathOf(path);
    if (shortPath.empty() || !exactAnsi(shortPath, shortAnsi)) return false;
    ansi = shortAnsi;
    return true;
}

bool IsLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}
