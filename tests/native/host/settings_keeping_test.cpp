// Nothing the user stored is lost: a music file that is away at start-up
// stays chosen, and a save that cannot write says so and changes nothing.

#include <gtest/gtest.h>

#include "settings/settings_file.h"
#include "support/host_doubles.h"

namespace {

const std::string kIni = "C:\\Saver\\Sorvelin.ini";
const std::string kKindKey = "BGM\x8B\xE6\x95\xAA";
const std::string kRepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4";
const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";

class Keeping : public ::testing::Test {
protected:
    void SetUp() override { resetFakeHostAndSettings(); }
    void store(const std::string& key, const std::string& value) { fakeHost().values[{kIni, "Section", key}] = value; }
    std::string stored(const std::string& key) { return fakeHost().values[{kIni, "Section", key}]; }
};

TEST_F(Keeping, MissingMusicFileStaysChosenAndOkWritesItBackUnchanged)
{
    store(kKindKey, " 2");
    store(kRepeatKey, " 0");
    store(kFileKey, "D:\\Music\\away.mp3");   // not in readableFiles: the stick is unplugged
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 2);
    EXPECT_EQ(BGM_File, "D:\\Music\\away.mp3");
    EXPECT_EQ(BGM_Folder, "D:\\Music");

    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(stored(kKindKey), " 2");
    EXPECT_EQ(stored(kRepeatKey), " 0");
    EXPECT_EQ(stored(kFileKey), "D:\\Music\\away.mp3");
}

TEST_F(Keeping, MissingFileUnderAnotherKindIsKeptToo)
{
    store(kKindKey, " 1");
    store(kFileKey, "D:\\gone.wav");
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 1);
    EXPECT_EQ(BGM_File, "D:\\gone.wav");
    EXPECT_EQ(BGM_Folder, "D:");
}

TEST_F(Keeping, FileKindWithNoPathAtAllStillMeansNoMusic)
{
    store(kKindKey, " 2");
    store(kFileKey, "");
    LoadSettings();
    EXPECT_EQ(BGM_Kind, 0);
    EXPECT_EQ(BGM_Folder, "C:\\Saver");
}

TEST_F(Keeping, SaveReportsSuccessOnlyWhenAllThreeKeysWereWritten)
{
    BGM_Kind = 1;
    BGM_RepeatTrack = 3;
    EXPECT_TRUE(SaveSettings());
    EXPECT_EQ(fakeHost().writes.size(), 3u);

    for (const std::string& refused : {kKindKey, kRepeatKey, kFileKey}) {
        resetFakeHost();
        fakeHost().refusedKeys.insert(refused);
        EXPECT_FALSE(SaveSettings()) << "refused key " << refused.size();
    }
}

TEST_F(Keeping, RefusedFirstKeyLeavesTheFileAsItWas)
{
    store(kKindKey, " 0");
    store(kRepeatKey, " 5");
    store(kFileKey, "C:\\a.mp3");
    fakeHost().refusedKeys.insert(kKindKey);
    BGM_Kind = 1;
    BGM_RepeatTrack = 3;
    BGM_File = "C:\\b.mp3";
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(stored(kKindKey), " 0");
    EXPECT_EQ(stored(kRepeatKey), " 5");
    EXPECT_EQ(stored(kFileKey), "C:\\a.mp3");
    EXPECT_EQ(fakeHost().writes.size(), 1u) << "nothing is tried after the first refusal";
}

TEST_F(Keeping, SettingsFileThatIsThereButCannotBeReadIsFlagged)
{
    store(kKindKey, " 2");
    store(kRepeatKey, " 4");
    store(kFileKey, "C:\\Music\\song.mp3");
    fakeHost().unreadableFiles.insert(kIni);   // held open, sharing nothing
    LoadSettings();
    EXPECT_TRUE(SettingsFileUnread);
    EXPECT_EQ(BGM_Kind, 0);
    EXPECT_EQ(BGM_File, "");

    fakeHost().unreadableFiles.clear();
    fakeHost().readableFiles.insert(kIni);
    LoadSettings();
    EXPECT_FALSE(SettingsFileUnread);
    EXPECT_EQ(BGM_Kind, 2);
    EXPECT_EQ(BGM_RepeatTrack, 4);
}

} // namespace
