#include "settings_file.h"

#include "lead_byte.h"
#include "number_text.h"

std::int16_t BGM_Kind = 0;
std::int16_t BGM_RepeatTrack = 0;
std::string BGM_File;
std::string BGM_Folder;
bool SettingsFileUnread = false;

const char* const kIniSection = "Section";
const char* const kKeyKind = "BGM" "\x8B\xE6\x95\xAA";
const char* const kKeyRepeatTrack = "BGM" "\xD8\xCB\xDF\xB0\xC4";
const char* const kKeyFile = "BGM" "\xCC\xA7\xB2\xD9";

std::string SettingsFilePath()
{
    return ProgramFolder() + "\\Sorvelin.ini";
}

namespace {

// Empty keeps 0; text that is no number or out of range keeps the old value.
void loadNumber(const std::string& ini, const char* key, std::int16_t& global)
{
    const std::string value = GetIni(kIniSection, key, ini);
    if (value.empty()) {
        global = 0;
        return;
    }
    ReadShortNumber(value, global);
}

} // namespace

void LoadSettings()
{
    const std::string ini = SettingsFilePath();
    // The profile functions read such a file as an empty one.
    SettingsFileUnread = FileIsThere(ini) && !FileExists(ini);
    loadNumber(ini, kKeyKind, BGM_Kind);
    loadNumber(ini, kKeyRepeatTrack, BGM_RepeatTrack);

    // A path that cannot be read now stays chosen: forgetting it here would
    // let the dialog's OK erase the user's music for good.
    BGM_File = GetIni(kIniSection, kKeyFile, ini);
    if (BGM_File.empty() && BGM_Kind == kMusicFile) BGM_Kind = kMusicNone;

    BGM_Folder = BGM_File.empty() ? ProgramFolder() : FolderOf(BGM_File);
}

std::string FolderOf(const std::string& path)
{
    std::size_t end = 0;   // characters kept: up to the last separator
    for (std::size_t at = 0; at < path.size(); ++at) {
        if (IsLeadByte(static_cast<unsigned char>(path[at])) && at + 1 < path.size()) {
            ++at;   // the pair is one character and never a separator
            continue;
        }
        if (path[at] == ':' || path[at] == '\\') end = at + 1;
    }
    std::string folder = path.substr(0, end);
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

bool SaveSettings()
{
    const std::string ini = SettingsFilePath();
    return PutIni(kIniSection, kKeyKind, ShortNumberText(BGM_Kind), ini) &&
           PutIni(kIniSection, kKeyRepeatTrack, ShortNumberText(BGM_RepeatTrack), ini) &&
           PutIni(kIniSection, kKeyFile, BGM_File, ini);
}
