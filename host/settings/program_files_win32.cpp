// Where the host lives, and whether a file can be read.

#include <windows.h>

#include <vector>

#include "ansi_text.h"
#include "program_files.h"

std::string ProgramFolder()
{
    // Split in UTF-16: in code page 932 a backslash byte can be the second
    // half of a Japanese character. The folder must also open again from the
    // settings file's ANSI texts, hence the short name where it needs one.
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            const std::wstring full(path.data(), length);
            const std::size_t slash = full.find_last_of(L'\\');
            if (slash == std::wstring::npos) return std::string();
            // A folder no code-page text can name comes back as one that opens
            // nothing: the renderer is then missing, never someone else's.
            std::string folder;
            AnsiPathOf(full.substr(0, slash), folder);
            return folder;
        }
        path.resize(path.size() * 2);
    }
}

bool FileExists(const std::string& path)
{
    std::string name = path;
    if (!name.empty() && name.back() == '\\') name.pop_back();
    if (name.empty()) return false;
    // A folder cannot be opened this way, and a file locked against reading fails too.
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool FileIsThere(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
