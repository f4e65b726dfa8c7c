#pragma once
// The music settings: the globals every part of the host reads, and the
// routines that load them from and store them in Sorvelin.ini.

#include <cstdint>
#include <string>

// The stored values of BGM_Kind; any other value stays as read and plays nothing.
constexpr std::int16_t kMusicNone = 0;
constexpr std::int16_t kMusicCd = 1;     // the tracks of an audio CD
constexpr std::int16_t kMusicFile = 2;   // an MP3 or WAV file, BGM_File

// Music source: one of the kinds above, or another value as read.
extern std::int16_t BGM_Kind;
// Audio-CD track to keep playing; 0 for none.
extern std::int16_t BGM_RepeatTrack;
// Full path of the music file; empty for none.
extern std::string BGM_File;
// Where the file chooser starts: BGM_File's folder, else the program folder.
extern std::string BGM_Folder;

// The section and keys as stored. The key names are Japanese and always
// stored as their code-page-932 bytes, whatever the system's code page.
extern const char* const kIniSection;
extern const char* const kKeyKind;          // BGM区分
extern const char* const kKeyRepeatTrack;   // BGMﾘﾋﾟｰﾄ
extern const char* const kKeyFile;          // BGMﾌｧｲﾙ

// The value of one key; empty when the file, the section or the key is missing.
std::string GetIni(const std::string& section, const std::string& key, const std::string& file);
// Writes one key, creating the file and section as needed. Failures are silent.
void PutIni(const std::string& section, const std::string& key, const std::string& value, const std::string& file);

// The folder that holds the host program, without a trailing backslash.
std::string ProgramFolder();
// True when the file can be opened for reading; one trailing backslash ignored.
bool FileExists(const std::string& path);

// Program folder + "\Sorvelin.ini".
std::string SettingsFilePath();

// Fills the four globals from the settings file, with every fall-back.
void LoadSettings();

// The folder part of a path: up to its last ':' or '\', one trailing '\' dropped.
// Paths are in the system's code page; a byte for which isLeadByte is true
// starts a two-byte character, whose second byte is never a separator.
std::string FolderOf(const std::string& path);

// Which bytes start a two-byte character in the system's code page; none by default.
extern bool (*IsLeadByte)(unsigned char byte);

// Writes the three keys in their order (the dialog's OK).
void SaveSettings();
