#include <windows.h>

#include "ansi_text.h"
#include "lead_byte.h"

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

std::string AnsiPathOf(const std::wstring& path)
{
    // A character the code page lacks would come back as '?', and such a path
    // never opens again. Short names are plain ASCII on every volume that
    // keeps them; where there is none, the lossy text is all there is.
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (size > 0 && !lossy) return AnsiFromWide(path);
    wchar_t shortPath[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return AnsiFromWide(path);
    return AnsiFromWide(shortPath);
}

bool IsLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}
