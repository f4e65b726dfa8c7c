#pragma once
// The music settings: the globals every part of the host reads, and the
// routines that load them from and store them in Sorvelin.ini.

#include <cstdint>
#include <string>

#include "profile_file.h"
#include "program_files.h"

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

// Set by LoadSettings when the settings file is there but could not be read
// (another program holds it, no rights): the globals then hold the defaults,
// not the user's stored choice, and saving them unasked would lose it.
extern bool SettingsFileUnread;

// Program folder + "\Sorvelin.ini".
std::string SettingsFilePath();

// Fills the four globals from the settings file, with every fall-back. A
// stored music file that cannot be read now is kept, not forgotten: the
// show checks it again before it plays (a USB stick may come back).
void LoadSettings();

// The folder part of a path: up to its last ':' or '\', one trailing '\' dropped.
// Paths are in the system's code page; a byte for which IsLeadByte is true
// starts a two-byte character, whose second byte is never a separator.
std::string FolderOf(const std::string& path);

// Writes the three keys in their order (the dialog's OK). Stops at the
// first key that cannot be written and returns false, so a file that
// refuses writes is left as it was.
bool SaveSettings();
