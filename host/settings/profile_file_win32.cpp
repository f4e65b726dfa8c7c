// The settings file through the platform's profile functions.

#include <windows.h>

#include <vector>

#include "profile_file.h"

std::string GetIni(const std::string& section, const std::string& key, const std::string& file)
{
    // Read the whole value, however long: a long music path cut short would
    // name another file or none.
    std::vector<char> buffer(256, '\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= 65536) return std::string(buffer.data(), length);
        buffer.assign(buffer.size() * 2, '\0');
    }
}

bool PutIni(const std::string& section, const std::string& key, const std::string& value, const std::string& file)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}
