#include "host_doubles.h"

#include "settings/lead_byte.h"
#include "settings/profile_file.h"
#include "settings/program_files.h"
#include "settings/settings_file.h"

FakeHostPlatform& fakeHost()
{
    static FakeHostPlatform platform;
    return platform;
}

void resetFakeHost()
{
    fakeHost() = FakeHostPlatform();
}

void resetFakeHostAndSettings()
{
    resetFakeHost();
    BGM_Kind = 0;
    BGM_RepeatTrack = 0;
    BGM_File.clear();
    BGM_Folder.clear();
    SettingsFileUnread = false;
}

std::string GetIni(const std::string& section, const std::string& key, const std::string& file)
{
    // As the profile functions do: a file that cannot be read reads as an empty one.
    if (fakeHost().unreadableFiles.count(file) != 0) return std::string();
    const auto found = fakeHost().values.find({file, section, key});
    return found == fakeHost().values.end() ? std::string() : found->second;
}

bool PutIni(const std::string& section, const std::string& key, const std::string& value, const std::string& file)
{
    fakeHost().writes.push_back({key, value});
    if (fakeHost().refusedKeys.count(key) != 0) return false;
    fakeHost().values[{file, section, key}] = value;
    return true;
}

std::string ProgramFolder()
{
    return fakeHost().programFolder;
}

bool FileExists(const std::string& path)
{
    std::string name = path;
    if (!name.empty() && name.back() == '\\') name.pop_back();
    return fakeHost().readableFiles.count(name) != 0;
}

bool FileIsThere(const std::string& path)
{
    return fakeHost().readableFiles.count(path) != 0 || fakeHost().unreadableFiles.count(path) != 0;
}

bool IsLeadByte(unsigned char byte)
{
    return fakeHost().leadBytes.count(byte) != 0;
}
