// The settings routines on the platform's own profile and file functions.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "settings/ansi_text.h"
#include "settings/settings_file.h"

namespace {

std::string readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class SettingsOnPlatform : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteFileA(SettingsFilePath().c_str());
        BGM_Kind = 0;
        BGM_RepeatTrack = 0;
        BGM_File.clear();
    }
    void TearDown() override { DeleteFileA(SettingsFilePath().c_str()); }
};

TEST_F(SettingsOnPlatform, FileForTheCdWithTrackThreeHoldsTheFourLines)
{
    BGM_Kind = 1;
    BGM_RepeatTrack = 3;
    SaveSettings();

    const std::string expected = "[Section]\r\n"
                                 "BGM\x8B\xE6\x95\xAA= 1\r\n"
                                 "BGM\xD8\xCB\xDF\xB0\xC4= 3\r\n"
                                 "BGM\xCC\xA7\xB2\xD9=\r\n";
    std::string written = readBytes(SettingsFilePath());
    // NOTE: Wine's profile writer drops the blank the program hands it after
    // '='; Windows keeps it. That one difference is allowed, nothing else.
    std::string withoutBlanks = expected;
    for (std::size_t at; (at = withoutBlanks.find("= ")) != std::string::npos;) withoutBlanks.erase(at + 1, 1);
    EXPECT_TRUE(written == expected || written == withoutBlanks) << written;

    BGM_Kind = 0;
    BGM_RepeatTrack = 0;
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 1);
    EXPECT_EQ(BGM_RepeatTrack, 3);
    EXPECT_EQ(BGM_File, "");
    EXPECT_EQ(BGM_Folder, ProgramFolder());
}

TEST_F(SettingsOnPlatform, LongMusicPathIsReadWhole)
{
    // A real file whose path is longer than 255 bytes but still a valid
    // path for the ANSI file functions (under 260).
    const std::string name = "\\music.mp3";
    const std::size_t room = 258 - ProgramFolder().size() - name.size() - 2;
    std::string folder = ProgramFolder() + "\\" + std::string(room / 2, 'a');
    CreateDirectoryA(folder.c_str(), nullptr);
    folder += "\\" + std::string(room - room / 2, 'b');
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + name;
    ASSERT_EQ(path.size(), 258u);
    { std::ofstream(path, std::ios::binary) << "x"; }

    PutIni(kIniSection, kKeyKind, " 2", SettingsFilePath());
    PutIni(kIniSection, kKeyFile, path, SettingsFilePath());
    EXPECT_EQ(GetIni(kIniSection, kKeyFile, SettingsFilePath()), path);
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 2);
    EXPECT_EQ(BGM_File, path);
    EXPECT_EQ(BGM_Folder, folder);

    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(folder.substr(0, folder.rfind('\\')).c_str());
}

// A settings file that cannot be written is reported, and left as it was.
TEST_F(SettingsOnPlatform, RefusedWritesAreReportedAndChangeNothing)
{
    ASSERT_TRUE(CreateDirectoryA(SettingsFilePath().c_str(), nullptr));   // a folder in the file's place
    EXPECT_FALSE(PutIni(kIniSection, kKeyKind, " 1", SettingsFilePath()));
    BGM_Kind = 1;
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(GetFileAttributesA(SettingsFilePath().c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    RemoveDirectoryA(SettingsFilePath().c_str());

    EXPECT_TRUE(PutIni(kIniSection, kKeyKind, " 1", SettingsFilePath()));
    EXPECT_TRUE(SaveSettings());
}

TEST_F(SettingsOnPlatform, MissingFileOrKeyGivesEmptyText)
{
    EXPECT_EQ(GetIni(kIniSection, kKeyFile, SettingsFilePath()), "");
    PutIni(kIniSection, kKeyKind, " 2", SettingsFilePath());
    EXPECT_EQ(GetIni(kIniSection, kKeyFile, SettingsFilePath()), "");
    EXPECT_EQ(GetIni("Other", kKeyKind, SettingsFilePath()), "");
}

TEST(FileExistsOnPlatform, OnlyFilesThatCanBeOpenedForReading)
{
    const std::string folder = ProgramFolder();
    const std::string path = folder + "\\exists-test.txt";
    { std::ofstream(path, std::ios::binary) << "x"; }

    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(FileExists(path + "\\"));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(folder + "\\"));
    EXPECT_FALSE(FileExists(folder + "\\no-such-file.txt"));
    EXPECT_FALSE(FileExists(""));

    // Held open by someone who shares nothing: counts as missing.
    HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FileExists(path));
    CloseHandle(locked);
    EXPECT_TRUE(FileExists(path));
    DeleteFileA(path.c_str());
}

// Names the ANSI code page cannot spell exactly (no legacy code page has the
// snowman; code page 1252 lacks Ł, code page 932 lacks ë and Ł) must be stored
// as paths that open again: the short name, never a best-fit look-alike.
TEST(AnsiPathOnPlatform, NamesOutsideTheCodePageBecomeShortNamesThatOpen)
{
    wchar_t temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    for (const wchar_t* name : {L"Sorvelin \u2603 music", L"\u0141ukasz", L"Zo\u00EB"}) {
        const std::wstring folder = std::wstring(temp) + name;
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring file = folder + L"\\song.mp3";
        HANDLE made = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(made, INVALID_HANDLE_VALUE);
        CloseHandle(made);

        std::string stored;
        EXPECT_TRUE(AnsiPathOf(file, stored)) << stored;
        EXPECT_TRUE(FileExists(stored)) << stored;

        DeleteFileW(file.c_str());
        RemoveDirectoryW(folder.c_str());
    }

    // Spellable paths are kept exactly as they are, long names and all.
    const std::wstring plain = std::wstring(temp) + L"Sorvelin plain name.mp3";
    std::string stored;
    EXPECT_TRUE(AnsiPathOf(plain, stored));
    EXPECT_EQ(WideFromAnsi(stored), plain);

    // No short name to fall back on (here: nothing there to have one): a text
    // that opens nothing, not the look-alike folder next door.
    const std::wstring away = std::wstring(temp) + L"\u0141ost\\song.mp3";
    CreateDirectoryW((std::wstring(temp) + L"Lost").c_str(), nullptr);
    EXPECT_FALSE(AnsiPathOf(away, stored));
    EXPECT_EQ(stored.find("Lost"), std::string::npos) << stored;
    EXPECT_FALSE(FileExists(stored));
    RemoveDirectoryW((std::wstring(temp) + L"Lost").c_str());
}

} // namespace
