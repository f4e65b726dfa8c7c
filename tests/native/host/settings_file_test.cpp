// The settings file's reading and writing rules, over an in-memory file.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <regex>

#include "settings/number_text.h"
#include "settings/settings_file.h"
#include "support/host_doubles.h"

namespace {

const std::string kIni = "C:\\Saver\\Sorvelin.ini";

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetFakeHost();
        BGM_Kind = 0;
        BGM_RepeatTrack = 0;
        BGM_File.clear();
        BGM_Folder.clear();
    }

    void store(const char* key, const std::string& value) { fakeHost().values[{kIni, "Section", key}] = value; }
};

TEST(FolderOf, KeepsEverythingUpToTheLastSeparator)
{
    EXPECT_EQ(FolderOf("C:\\Music\\a.mp3"), "C:\\Music");
    EXPECT_EQ(FolderOf("C:\\a.mp3"), "C:");
    EXPECT_EQ(FolderOf("C:a.mp3"), "C:");
    EXPECT_EQ(FolderOf("\\\\srv\\share\\a.wav"), "\\\\srv\\share");
    EXPECT_EQ(FolderOf("a.mp3"), "");
    EXPECT_EQ(FolderOf("D:\\a.wav"), "D:");
    EXPECT_EQ(FolderOf(""), "");
}

TEST_F(Settings, FolderOfNeverSplitsATwoByteCharacter)
{
    // In code page 932, 表 is 0x95 0x5C: its second byte is the backslash byte.
    for (int b = 0x81; b <= 0xFC; ++b) {
        if (b <= 0x9F || b >= 0xE0) fakeHost().leadBytes.insert(static_cast<unsigned char>(b));
    }
    EXPECT_EQ(FolderOf("C:\\\x95\x5C\\a.mp3"), "C:\\\x95\x5C");
    EXPECT_EQ(FolderOf("C:\\\x95\x5C" "a.mp3"), "C:");
}

TEST(ShortNumber, FloorsBlanksAndRefusals)
{
    struct Case {
        const char* text;
        bool read;
        std::int16_t value;
    };
    const Case cases[] = {
        {" 2", true, 2},    {"2", true, 2},         {"2.9", true, 2},     {"-0.5", true, -1},
        {"5", true, 5},     {" 7 ", true, 7},       {"32767", true, 32767}, {"-32768", true, -32768},
        {"abc", false, 9},  {"70000", false, 9},    {"32768", false, 9},  {"", false, 9},
        {"2x", false, 9},   {"-", false, 9},        {".", false, 9},      {"1 2", false, 9},
    };
    for (const Case& c : cases) {
        std::int16_t value = 9;
        EXPECT_EQ(ReadShortNumber(c.text, value), c.read) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(ShortNumberText(2), " 2");
    EXPECT_EQ(ShortNumberText(0), " 0");
    EXPECT_EQ(ShortNumberText(-3), "-3");
}

TEST_F(Settings, NoFileGivesTheDefaultsAndTheProgramFolder)
{
    BGM_Kind = 1;   // whatever was held before
    BGM_RepeatTrack = 4;
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 0);
    EXPECT_EQ(BGM_RepeatTrack, 0);
    EXPECT_EQ(BGM_File, "");
    EXPECT_EQ(BGM_Folder, "C:\\Saver");
}

TEST_F(Settings, MusicFileKindNeedsAFileThatCanBeRead)
{
    store(kKeyKind, " 2");
    store(kKeyFile, "");
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 0) << "kind 2 with an empty file entry";

    fakeHost().readableFiles.insert("C:\\Music\\song.mp3");
    store(kKeyFile, "C:\\Music\\song.mp3");
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 2);
    EXPECT_EQ(BGM_File, "C:\\Music\\song.mp3");
    EXPECT_EQ(BGM_Folder, "C:\\Music");
}

TEST_F(Settings, NumbersThatCannotBeReadKeepTheOldValue)
{
    store(kKeyKind, "abc");
    store(kKeyRepeatTrack, "70000");
    BGM_RepeatTrack = 6;
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 0);
    EXPECT_EQ(BGM_RepeatTrack, 6);

    store(kKeyKind, "2.7");
    store(kKeyRepeatTrack, " 3");
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 0) << "2.7 reads as 2, then no file drops it";
    EXPECT_EQ(BGM_RepeatTrack, 3);

    store(kKeyKind, "5");
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 5) << "other kinds stay as read";
}

TEST_F(Settings, SaveWritesTheThreeKeysInOrderWithTheLeadingBlank)
{
    BGM_Kind = 1;
    BGM_RepeatTrack = 3;
    BGM_File = "";
    SaveSettings();
    ASSERT_EQ(fakeHost().writes.size(), 3u);
    EXPECT_EQ(fakeHost().writes[0], std::make_pair(std::string("BGM\x8B\xE6\x95\xAA"), std::string(" 1")));
    EXPECT_EQ(fakeHost().writes[1], std::make_pair(std::string("BGM\xD8\xCB\xDF\xB0\xC4"), std::string(" 3")));
    EXPECT_EQ(fakeHost().writes[2], std::make_pair(std::string("BGM\xCC\xA7\xB2\xD9"), std::string("")));
}

// Random texts against a reader written from the rule itself: blanks around
// a plain decimal number, its integer part rounded down, 16 bits or refused.
TEST_F(Settings, RandomValuesReadAsTheRuleSaysAndNeverBreakTheLoad)
{
    const std::regex plainNumber("[ \t]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)[ \t]*");
    std::mt19937 random(20261209);
    const std::string alphabet = " \t0123456789.-+eE,abc\\:\x95\x5C\x8B";
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 12, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        bool expectRead = std::regex_match(text, plainNumber);
        std::int16_t expected = 77;
        if (expectRead) {
            const double floored = std::floor(std::stod(text.substr(text.find_first_not_of(" \t"))));
            expectRead = floored >= -32768 && floored <= 32767;
            if (expectRead) expected = static_cast<std::int16_t>(floored);
        }
        std::int16_t value = 77;
        EXPECT_EQ(ReadShortNumber(text, value), expectRead) << '"' << text << '"';
        EXPECT_EQ(value, expected) << '"' << text << '"';
        accepted += expectRead;

        if (round % 10 == 0) {
            store(kKeyKind, text);
            store(kKeyRepeatTrack, text);
            store(kKeyFile, text);
            LoadSettings();
            EXPECT_TRUE(BGM_Kind != 2 || !BGM_File.empty());
        }
    }
    EXPECT_GT(accepted, 1000);   // the alphabet makes numbers often enough to matter
}

} // namespace
