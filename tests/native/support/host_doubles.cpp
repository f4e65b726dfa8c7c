#include "host_doubles.h"

#include "settings/lead_byte.h"
#include "settings/profile_file.h"
#include "settings/program_files.h"

FakeHostPlatform& fakeHost()
{
    static FakeHostPlatform platform;
    return platform;
}

void resetFakeHost()
{
    fakeHost() = FakeHostPlatform();
}

std::string GetIni(const std::string& section, const std::string& key, const std::string& file)
{
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

bool IsLeadByte(unsigned char byte)
{
    return fakeHost().leadBytes.count(byte) != 0;
}
